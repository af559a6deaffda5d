// One run of the real game as a player meets it: the menu in the console, "1",
// then the graphics window, found, focused and read back pixel by pixel. The
// session keeps the messages printed so far so that the expected picture can
// be drawn at any moment.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game_console.h"
#include "game_window.h"
#include "reference_board.h"

namespace e2e {

extern const std::string kUserTurn;   // "Hodite !" and 18 blanks
extern const std::string kCompTurn;   // "COMP (press enter)"
extern const std::string kCompWins;   // "COMP VIN!!!!"
extern const std::string kUserWins;   // "USER VIN!!!!"

class GameSession {
 public:
  // Starts the program under test (see MakeGameConsole), chooses "1" in its menu and waits for the board with the
  // king and the user's prompt. Check Ready() afterwards.
  // at_menu, when given, runs while the menu is on the console, before "1".
  // The window must be served by `driver` (as DriverOf names it).
  explicit GameSession(const std::function<void(GameConsole&)>& at_menu = nullptr,
                       const std::string& driver = DriverFromEnvironment());
  ~GameSession();
  bool Ready() const { return ready_; }
  // The driver that served the window when the game started.
  const std::string& driver() const { return driver_name_; }
  const std::string& Failure() const { return failure_; }

  GameWindow& window() { return window_; }
  GameConsole& console() { return *driver_; }
  Square king() const { return king_; }
  const std::vector<std::string>& messages() const { return messages_; }

  // The king's square as the screen shows it: exactly one square whose circle
  // is drawn; nothing while none or several are.
  std::optional<Square> KingOnScreen();
  bool WaitKing(Square s, Millis limit = Millis(5000));
  // Waits until the text row shows the messages printed so far plus `message`
  // (which is then recorded).
  bool WaitMessage(const std::string& message, Millis limit = Millis(5000));
  // Waits until the whole client area equals the expected picture; on time-out
  // describes the difference in *why.
  bool WaitPicture(Millis limit, std::string* why);

  // A user move by key; returns false when the king did not arrive at `to`.
  bool Move(const std::string& key, Square to);
  // After a user move that did not win: "COMP (press enter)", Enter, the
  // computer's reply on screen, then the next prompt (or the computer's win).
  // With enter_ms, Enter is sent through XTest and timed as TimedKey does.
  bool ComputerTurn(double* enter_ms = nullptr);
  // One round from wherever the king stands: the first legal move of "1",
  // "2", "3", then the user's win or the computer's reply. False on any miss.
  bool PlayRound();
  // Ends the game from any prompt: Enter after a win, Escape otherwise.
  std::optional<int> FinishFromHere();
  // Sends a key through XTest and polls the pixel that the king's arrival at
  // `to` turns white (its rightmost) every half millisecond; *ms is the time
  // from sending to seeing it.
  bool TimedKey(const std::string& key, Square to, double* ms);
  // After keys the session did not follow: reads the king's square and which
  // message begins row 1 (kUserTurn, kCompTurn, kCompWins or kUserWins) from
  // the screen and takes them as the current state. False when neither is clear.
  bool Resync();
  // Whether the game still runs (answers at once).
  bool Running();
  // Escape or Enter at the end; the game's exit status.
  std::optional<int> Finish(const std::string& key);

 private:
  bool Fail(const std::string& why);
  std::unique_ptr<GameConsole> driver_;
  GameWindow window_;
  Square king_;
  std::vector<std::string> messages_;
  std::string driver_name_;
  bool ready_ = false;
  std::string failure_;
};

// A game whose start square satisfies wanted, starting games again (and
// ending the others with status 0) up to `tries` times; null with *why set
// when a game does not start or end as it should, or none fits.
std::unique_ptr<GameSession> StartGameWhere(const std::function<bool(Square)>& wanted, int tries,
                                            std::string* why);

// Where a key moves the king, or nothing when the move would leave the board.
std::optional<Square> MoveByKey(Square from, const std::string& key);

// A move key ("2", "1" or "3", tried in that order) that keeps the king on the
// board and off the winning corner, so that the computer's turn comes; empty
// when there is none.
std::string NonWinningMove(Square from);

}  // namespace e2e
