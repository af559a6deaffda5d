// One run of the real game (see game_session.h).
#include "game_session.h"

#include <time.h>

#include <sstream>

#include "tests/e2e/tools/x11_probe.h"

namespace e2e {

const std::string kUserTurn = "Hodite !                  ";
const std::string kCompTurn = "COMP (press enter)";
const std::string kCompWins = "COMP VIN!!!!";
const std::string kUserWins = "USER VIN!!!!";

std::optional<Square> MoveByKey(Square from, const std::string& key) {
  if (key == "1" && from.col > 1) return Square{from.col - 1, from.row};
  if (key == "2" && from.row > 1) return Square{from.col, from.row - 1};
  if (key == "3" && from.col > 1 && from.row > 1) return Square{from.col - 1, from.row - 1};
  return std::nullopt;
}

std::string NonWinningMove(Square from) {
  for (const char* key : {"2", "1", "3"}) {
    auto to = MoveByKey(from, key);
    if (to && !(*to == Square{1, 1})) return key;
  }
  return "";
}

GameSession::GameSession(const std::function<void(GameConsole&)>& at_menu, const std::string& driver)
    : driver_(MakeGameConsole()) {
  RestoreDesktopMode();
  if (!driver_->Start()) {
    Fail("the game did not start: " + driver_->Log());
    return;
  }
  if (!driver_->WaitText("4. exit")) {
    Fail("no menu in the console");
    return;
  }
  if (at_menu) at_menu(*driver_);
  driver_->Key("1");
  if (!window_.Find("kvgfxclass_tavrel", "tavrel", Millis(20000))) {
    auto status = driver_->WaitExit(Millis(0));
    std::string console;
    for (const auto& row : driver_->Screen()) {
      std::string text;
      for (const ConsoleCell& c : row) text += c.ch < 128 ? static_cast<char>(c.ch) : '?';
      while (!text.empty() && text.back() == ' ') text.pop_back();
      if (!text.empty()) console += "\n  | " + text;
    }
    Fail("no window of class kvgfxclass_tavrel after \"1\" in the menu; the game " +
         (status ? "ended with status " + std::to_string(*status) : std::string("still runs")) +
         "; the console shows:" + console);
    return;
  }
  driver_name_ = DriverOf(window_.Info());
  if (driver_name_ != driver) {
    Fail("the window is served by " + driver_name_ + ", not by " + driver);
    return;
  }
  window_.Focus();
  std::optional<Square> seen;
  if (!WaitFor([&] { return (seen = KingOnScreen()).has_value(); }, Millis(10000))) {
    Fail("no king on the board");
    return;
  }
  king_ = *seen;
  // Start square (1, 1): the computer has won before any move.
  const std::string& first = king_ == Square{1, 1} ? kCompWins : kUserTurn;
  if (!WaitMessage(first)) {
    Fail("no \"" + first + "\" at row 1");
    return;
  }
  ready_ = true;
}

GameSession::~GameSession() {
  if (driver_) driver_.reset();  // ends the game if it still runs
}

bool GameSession::Fail(const std::string& why) {
  failure_ = why;
  return false;
}

std::optional<Square> GameSession::KingOnScreen() {
  Shot board = window_.Grab(0, 0, 360, 360);
  if (!board.Ok()) return std::nullopt;
  std::optional<Square> found;
  for (int col = 1; col <= 8; ++col)
    for (int row = 1; row <= 8; ++row) {
      Square s{col, row};
      // The circle's rightmost and topmost pixels are white, its centre black.
      if (board.At(KingX(s) + 10, KingY(s)) != kWhite || board.At(KingX(s), KingY(s) - 10) != kWhite ||
          board.At(KingX(s), KingY(s)) != kBlack)
        continue;
      if (found) return std::nullopt;
      found = s;
    }
  return found;
}

bool GameSession::WaitKing(Square s, Millis limit) {
  return WaitFor([&] { return KingOnScreen() == s; }, limit, Millis(5));
}

bool GameSession::WaitMessage(const std::string& message, Millis limit) {
  std::vector<std::string> all = messages_;
  all.push_back(message);
  Picture expected = ReferenceBoard(king_, all);
  const int width = 8 * 26;  // the longest message
  bool same = WaitFor(
      [&] {
        Shot row = window_.Grab(0, 0, width, 16);
        if (!row.Ok()) return false;
        for (int y = 0; y < 16; ++y)
          for (int x = 0; x < width; ++x)
            if (row.At(x, y) != expected.At(x, y)) return false;
        return true;
      },
      limit, Millis(5));
  if (same) messages_ = all;
  return same;
}

bool GameSession::WaitPicture(Millis limit, std::string* why) {
  Picture expected = ReferenceBoard(king_, messages_);
  int differ = 0, first_x = -1, first_y = -1;
  bool same = WaitFor(
      [&] {
        Shot all = window_.Grab();
        if (!all.Ok()) return false;
        differ = 0;
        for (int y = 0; y < kClientH; ++y)
          for (int x = 0; x < kClientW; ++x)
            if (all.At(x, y) != expected.At(x, y) && differ++ == 0) {
              first_x = x;
              first_y = y;
            }
        return differ == 0;
      },
      limit, Millis(20));
  if (!same && why) {
    std::ostringstream s;
    s << differ << " pixels differ from the expected picture, the first at (" << first_x << ", "
      << first_y << ")";
    *why = s.str();
  }
  return same;
}

bool GameSession::Move(const std::string& key, Square to) {
  window_.Key(key);
  if (!WaitKing(to)) return false;
  king_ = to;
  return true;
}

bool GameSession::TimedKey(const std::string& key, Square to, double* ms) {
  const int k = window_.Scale();
  const int x = window_.Info().screen_x + (KingX(to) + 10) * k, y = window_.Info().screen_y + KingY(to) * k;
  Display* d = window_.display();
  const int64_t start = ProbeNowNs();
  if (ProbeKey(d, key.c_str()) != 0) return false;
  const struct timespec half = {0, 500000};
  while (ProbePixel(d, x, y) != kWhite) {
    if (ProbeNowNs() - start > 5'000'000'000) return false;
    nanosleep(&half, nullptr);
  }
  *ms = static_cast<double>(ProbeNowNs() - start) / 1e6;
  if (!WaitKing(to)) return false;
  king_ = to;
  return true;
}

bool GameSession::ComputerTurn(double* enter_ms) {
  if (!WaitMessage(kCompTurn)) return Fail("no \"COMP (press enter)\"");
  Square reply = ComputerReply(king_);
  if (enter_ms != nullptr) {
    if (!TimedKey("Return", reply, enter_ms)) return Fail("Enter did not bring the computer's move");
  } else {
    window_.Key("Return");
  }
  if (!WaitKing(reply)) {
    std::ostringstream s;
    s << "the computer did not move from (" << king_.col << ", " << king_.row << ") to ("
      << reply.col << ", " << reply.row << ")";
    return Fail(s.str());
  }
  king_ = reply;
  const std::string& next = king_ == Square{1, 1} ? kCompWins : kUserTurn;
  if (!WaitMessage(next)) return Fail("no \"" + next + "\" after the computer's move");
  return true;
}

bool GameSession::Resync() {
  std::optional<Square> seen;
  if (!WaitFor([&] { return (seen = KingOnScreen()).has_value(); }, Millis(3000))) return false;
  king_ = *seen;
  Shot row = window_.Grab(0, 0, 8 * 26, 16);
  if (!row.Ok()) return false;
  for (const std::string* m : {&kCompTurn, &kCompWins, &kUserWins, &kUserTurn}) {
    Picture expected = ReferenceBoard(king_, {*m});
    const int width = 8 * static_cast<int>(m == &kUserTurn ? 8 : m->size());  // "Hodite !"
    bool same = true;
    for (int y = 0; y < 16 && same; ++y)
      for (int x = 0; x < width && same; ++x) same = row.At(x, y) == expected.At(x, y);
    if (same) {
      messages_ = {*m};
      return true;
    }
  }
  return false;
}

bool GameSession::Running() { return !driver_->WaitExit(Millis(0)).has_value(); }

bool GameSession::PlayRound() {
  for (const char* key : {"1", "2", "3"}) {
    auto to = MoveByKey(king_, key);
    if (!to) continue;
    if (!Move(key, *to)) return Fail(std::string("no move by ") + key);
    return *to == Square{1, 1} ? WaitMessage(kUserWins) : ComputerTurn();
  }
  return Fail("no legal move left");
}

std::optional<int> GameSession::FinishFromHere() {
  return Finish(king_ == Square{1, 1} ? "Return" : "Escape");
}

std::optional<int> GameSession::Finish(const std::string& key) {
  window_.Key(key);
  return driver_->WaitExit(Millis(15000));
}

}  // namespace e2e

namespace e2e {

std::unique_ptr<GameSession> StartGameWhere(const std::function<bool(Square)>& wanted, int tries,
                                            std::string* why) {
  for (int i = 0; i < tries; ++i) {
    // The game seeds its start square with the clock's seconds: a game
    // started within the same second would repeat the last square.
    const time_t second = time(nullptr);
    auto game = std::make_unique<GameSession>();
    if (!game->Ready()) {
      *why = "game " + std::to_string(i + 1) + ": " + game->Failure();
      return nullptr;
    }
    if (wanted(game->king())) return game;
    // On (1, 1) the computer has already won and waits for Enter.
    const bool won = game->king() == Square{1, 1};
    if (game->Finish(won ? "Return" : "Escape") != std::optional<int>(0)) {
      *why = won ? "Enter after \"COMP VIN!!!!\" did not end the game with status 0"
                 : "Escape did not end the game with status 0";
      return nullptr;
    }
    WaitFor([&] { return time(nullptr) != second; }, Millis(1100), Millis(20));
  }
  *why = "no fitting start square in " + std::to_string(tries) + " games";
  return nullptr;
}

}  // namespace e2e
