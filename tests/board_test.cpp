// The board's rules and the turn loop, driven through the console hook table with
// a scripted key source, on a recording display driver.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/console.h"
#include "game/board.h"
#include "game/game.h"
#include "gfx/screen.h"
#include "gfx/window/display_driver.h"
#include "support/null_display.h"

namespace {

// ---- Pure rules -----------------------------------------------------------

TEST(BoardRules, KingCentreAndRadiusFollowTheGrid) {
  const BoardGeometry& g = kBoardGeometry;
  for (int32_t c = 1; c <= 8; ++c) {
    for (int32_t r = 1; r <= 8; ++r) {
      BoardPoint p = KingCentre(g, c, r);
      EXPECT_EQ(p.x, 40 * c);
      EXPECT_EQ(p.y, 360 - 40 * r);
      // Inside its square, clear of the grid lines by more than the radius.
      EXPECT_GT(p.x - KingRadius(g), 20 + 40 * (c - 1));
      EXPECT_LT(p.x + KingRadius(g), 20 + 40 * c);
      EXPECT_GT(p.y - KingRadius(g), 340 - 40 * r);
      EXPECT_LT(p.y + KingRadius(g), 380 - 40 * r);
    }
  }
  EXPECT_EQ(KingRadius(g), 10);
  // The halvings are shifts: an odd cell size rounds down.
  BoardGeometry odd{0, 0, 41};
  EXPECT_EQ(KingCentre(odd, 1, 8).x, 41 - 20);
  EXPECT_EQ(KingRadius(odd), 20 - 10);
}

TEST(BoardRules, StartCoordinateCoversOneToEight) {
  EXPECT_EQ(StartCoordinate(0.0), 1);
  EXPECT_EQ(StartCoordinate(0.124), 1);
  EXPECT_EQ(StartCoordinate(0.125), 2);
  EXPECT_EQ(StartCoordinate(0.5), 5);
  EXPECT_EQ(StartCoordinate(32767.0 / 32768.0), 8);
  bool seen[9] = {};
  for (int i = 0; i < 32768; ++i) {
    int32_t v = StartCoordinate(i / 32768.0);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 8);
    seen[v] = true;
  }
  for (int v = 1; v <= 8; ++v) EXPECT_TRUE(seen[v]) << v;
}

RtString Key(const char* bytes, uint32_t n) {
  RtString s{};
  RtAssignBytes(&s, bytes, n);
  return s;
}

TEST(BoardRules, MoveKeysAreWholeStrings) {
  struct Case {
    const char* bytes;
    uint32_t n;
    MoveKey key;
  } cases[] = {
      {"1", 1, MoveKey::kLeft},      {"2", 1, MoveKey::kDown},    {"3", 1, MoveKey::kDiagonal},
      {"\x1b", 1, MoveKey::kEscape}, {"4", 1, MoveKey::kOther},   {"\r", 1, MoveKey::kOther},
      {"11", 2, MoveKey::kOther},    {"\xff" "K", 2, MoveKey::kOther},
      {"\xff" "X", 2, MoveKey::kOther},  // the close box
  };
  for (const Case& c : cases) {
    RtString s = Key(c.bytes, c.n);
    EXPECT_EQ(ClassifyMoveKey(&s), c.key) << c.n << " bytes, first " << int(uint8_t(c.bytes[0]));
    RtClear(&s);
  }
  RtString empty{};
  EXPECT_EQ(ClassifyMoveKey(&empty), MoveKey::kOther);
}

TEST(BoardRules, MovesStayOnTheBoard) {
  int32_t c = 1, r = 5;
  EXPECT_FALSE(MoveIsLegal(MoveKey::kLeft, c, r));
  EXPECT_FALSE(MoveIsLegal(MoveKey::kDiagonal, c, r));
  EXPECT_TRUE(MoveIsLegal(MoveKey::kDown, c, r));
  ApplyMove(MoveKey::kLeft, &c, &r);
  EXPECT_EQ(c, 1);
  EXPECT_EQ(r, 5);
  ApplyMove(MoveKey::kDown, &c, &r);
  EXPECT_EQ(r, 4);
  c = 4, r = 1;
  EXPECT_FALSE(MoveIsLegal(MoveKey::kDown, c, r));
  EXPECT_FALSE(MoveIsLegal(MoveKey::kDiagonal, c, r));
  ApplyMove(MoveKey::kDiagonal, &c, &r);
  EXPECT_EQ(c, 4);
  ApplyMove(MoveKey::kLeft, &c, &r);
  EXPECT_EQ(c, 3);
  c = 8, r = 8;
  ApplyMove(MoveKey::kDiagonal, &c, &r);
  EXPECT_EQ(c, 7);
  EXPECT_EQ(r, 7);
  EXPECT_FALSE(MoveIsLegal(MoveKey::kEscape, 8, 8));
  EXPECT_FALSE(MoveIsLegal(MoveKey::kOther, 8, 8));
}

// ---- The turn loop --------------------------------------------------------

struct Message {
  std::string text;
  int32_t row, column, visibility;
};

std::deque<std::string> g_script;  // keys, in order; "" is a poll with no key
std::vector<Message> g_messages;

struct ScriptEnded : std::runtime_error {
  ScriptEnded() : std::runtime_error("the game wanted more keys than the script had") {}
};

RtString* ScriptedReadKey() {
  if (g_script.empty()) throw ScriptEnded();
  std::string k = g_script.front();
  g_script.pop_front();
  return k.empty() ? RtSharedEmpty() : RtTempFromBytes(k.data(), static_cast<uint32_t>(k.size()));
}

int32_t RecordLocate(int32_t row, int32_t column, int32_t visibility) {
  g_messages.push_back({"", row, column, visibility});
  return 0;
}

void RecordText(const char* bytes, int32_t length, int32_t) {
  if (g_messages.empty()) g_messages.push_back({"", 0, 0, 0});
  g_messages.back().text.append(bytes, static_cast<size_t>(length));
}


class TurnLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDisplayDriverList(NullDisplayList());
    first_player = 0;
    BoardSetUp();
    ASSERT_NE(g_screen, nullptr);
    ASSERT_EQ(g_screen->mode, 12);
    g_console_hooks.read_key = ScriptedReadKey;
    g_console_hooks.locate = RecordLocate;
    g_console_hooks.write_text = RecordText;
    g_script.clear();
    g_messages.clear();
  }
  void TearDown() override {
    ScreenSetMode(0, 0, 0, 0, 0);
    SetDisplayDriverList(nullptr);
    first_player = 0;
  }
  // Puts the king on a square: erased where it stood, drawn on the new square.
  static void PlaceKing(int32_t col, int32_t row) {
    DrawKingAt(king_col, king_row, 0);
    king_col = col;
    king_row = row;
    DrawKingAt(col, row, 15);
  }
  static void DrawKingAt(int32_t col, int32_t row, uint8_t colour) {
    BoardPoint p = KingCentre(kBoardGeometry, col, row);
    for (int dy = -10; dy <= 10; ++dy) {
      for (int dx = -10; dx <= 10; ++dx) {
        if (dx * dx + dy * dy >= 81 && dx * dx + dy * dy <= 121) Pixel(p.x + dx, p.y + dy) = colour;
      }
    }
  }
  static uint8_t& Pixel(int32_t x, int32_t y) { return g_screen->visible_page[y * g_screen->pitch + x]; }
  // Whether the king's outline is drawn on a square (its rightmost point).
  static bool KingShownAt(int32_t col, int32_t row) {
    BoardPoint p = KingCentre(kBoardGeometry, col, row);
    return Pixel(p.x + 10, p.y) == 15 && Pixel(p.x, p.y - 10) == 15;
  }
  static std::vector<std::string> Texts() {
    std::vector<std::string> out;
    for (const Message& m : g_messages) {
      EXPECT_EQ(m.row, 1);
      EXPECT_EQ(m.column, 1);
      EXPECT_EQ(m.visibility, -1);
      out.push_back(m.text);
    }
    return out;
  }
  static void Run(std::initializer_list<const char*> keys, GameEnd expected) {
    for (const char* k : keys) g_script.emplace_back(k);
    // More unexpected keys than the pool of temporary strings holds: each must
    // be given back, or the pool runs dry and no key is ever seen again.
    g_script.insert(g_script.begin(), 2 * kRtTempPoolSize, "x");
    const int temps_before = RtTempInUse();
    GameEnd end = GameEnd::kEscape;
    try {
      end = RunTurnLoop();
    } catch (const ScriptEnded& e) {
      FAIL() << e.what();
    }
    EXPECT_EQ(end, expected);
    EXPECT_EQ(RtTempInUse(), temps_before);
    EXPECT_TRUE(g_script.empty()) << g_script.size() << " keys left unread";
  }
};

const std::string kUserTurn = "Hodite !" + std::string(18, ' ') + "\n";
const std::string kComputerTurn = "COMP (press enter)\n";
const std::string kComputerWon = "COMP VIN!!!!\n";
const std::string kUserWon = "USER VIN!!!!\n";

TEST_F(TurnLoop, SetUpDrawsGridAndKingOnARandomSquare) {
  for (int i = 0; i <= 8; ++i) {
    int at = 20 + 40 * i;
    EXPECT_EQ(Pixel(at, 20), 15);
    EXPECT_EQ(Pixel(at, 180), 15);
    EXPECT_EQ(Pixel(20, at), 15);
    EXPECT_EQ(Pixel(339, at), 15);
  }
  EXPECT_EQ(Pixel(341, 20), 0) << "the grid ends at x = 340";
  EXPECT_EQ(Pixel(20, 341), 0) << "the grid ends at y = 340";
  ASSERT_GE(king_col, 1);
  ASSERT_LE(king_col, 8);
  ASSERT_GE(king_row, 1);
  ASSERT_LE(king_row, 8);
  EXPECT_TRUE(KingShownAt(king_col, king_row));
  BoardPoint p = KingCentre(kBoardGeometry, king_col, king_row);
  EXPECT_EQ(Pixel(p.x, p.y), 0) << "outline only";
}

TEST_F(TurnLoop, UserFirstIgnoresOtherKeysThenComputerWins) {
  PlaceKing(1, 3);
  // "1" and "3" would leave the board from column 1; other keys (the close box,
  // an arrow, an empty poll, Escape during the Enter wait) change nothing.
  Run({"1", "3", "\xff" "X", "\xff" "K", "", "2",  // user: (1,3) -> (1,2)
       "\x1b", "x", "\r",                            // computer: Enter, (1,2) -> (1,1)
       "\x1b", "\r"},                                // win message: Enter
      GameEnd::kComputerWon);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kUserTurn, kComputerTurn, kComputerWon}));
  EXPECT_EQ(first_player, 1);
  EXPECT_EQ(king_col, 1);
  EXPECT_EQ(king_row, 1);
  EXPECT_TRUE(KingShownAt(1, 1));
  EXPECT_FALSE(KingShownAt(1, 2));
  EXPECT_FALSE(KingShownAt(1, 3));
}

TEST_F(TurnLoop, StartOnTargetWithUserFirstIsAnImmediateComputerWin) {
  PlaceKing(1, 1);
  Run({"1", "\r"}, GameEnd::kComputerWon);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kComputerWon}));
}

TEST_F(TurnLoop, StartOnTargetWithComputerFirstMakesNoMove) {
  first_player = 1;
  PlaceKing(1, 1);
  Run({"\r", "\r"}, GameEnd::kComputerWon);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kComputerTurn, kComputerWon}));
  EXPECT_TRUE(KingShownAt(1, 1));
}

TEST_F(TurnLoop, ComputerFirstMovesBeforeEachUserTurn) {
  first_player = 1;
  PlaceKing(4, 4);
  // Computer (4,4) -> (3,3); user diagonal -> (2,2); computer (2,2) -> (1,1).
  Run({"\r", "3", "\r", "\r"}, GameEnd::kComputerWon);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kComputerTurn, kUserTurn, kComputerTurn,
                                               kComputerWon}));
}

TEST_F(TurnLoop, UserMovesOntoTheTargetAndWins) {
  PlaceKing(2, 2);  // user first
  Run({"3", "\r"}, GameEnd::kUserWon);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kUserTurn, kUserWon}));
  EXPECT_TRUE(KingShownAt(1, 1));
  EXPECT_FALSE(KingShownAt(2, 2));
}

TEST_F(TurnLoop, EscapeWhileAMoveIsAwaitedEndsAtOnce) {
  PlaceKing(5, 5);
  Run({"4", "\x1b"}, GameEnd::kEscape);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kUserTurn}));
  EXPECT_TRUE(KingShownAt(5, 5));
}

TEST_F(TurnLoop, ComputerMovesEveryCycleAfterTheFirst) {
  first_player = 2;
  PlaceKing(8, 8);
  // User: "1" -> (7,8). Computer: row even -> (7,7). User: "2" -> (7,6).
  // Computer: (7,6) -> (7,5). User: Escape.
  Run({"1", "\r", "2", "\r", "\x1b"}, GameEnd::kEscape);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kUserTurn, kComputerTurn, kUserTurn,
                                               kComputerTurn, kUserTurn}));
  EXPECT_EQ(king_col, 7);
  EXPECT_EQ(king_row, 5);
  EXPECT_TRUE(KingShownAt(7, 5));
  EXPECT_FALSE(KingShownAt(8, 8));
  EXPECT_FALSE(KingShownAt(7, 7));
}

}  // namespace
