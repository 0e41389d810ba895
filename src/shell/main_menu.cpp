// The player set-up before a game: one player after another gets a colour,
// a name typed on the keyboard and human or computer control; NEXT OPPONENT
// adds the next player (up to five), PLAY GAME (from two players on) starts
// the game, Esc goes back to the title. Only the last player added can be
// changed.
#include "audio/game_sounds.h"
#include "display/display_state.h"
#include "display/text.h"
#include "net/net_session.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "players/player_resets.h"
#include "players/turns.h"
#include "screens/screen_text.h"
#include "shell/main_frame.h"
#include "shell/main_menu.h"
#include "shell/saved_players.h"
#include "sprites/blit.h"
#include "sprites/panel.h"
#include "sprites/pointer.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "state/turn_state.h"

namespace {

constexpr int kKeyBackspace = 8;
constexpr int kKeyEsc = 27;
constexpr size_t kNameLength = 12;
constexpr int kColours = 5;
constexpr int kPanelSprite = 0;
constexpr int kColourButton = 2;
constexpr int kHumanButton = 439;  // 439 - control: 438 for a computer
constexpr int kPlayButton = 440;
constexpr int kNextButtonAtRest = 455;
constexpr ColorRef kShadow = Rgb(15, 0, 0);
constexpr ColorRef kWhite = Rgb(255, 255, 255);
constexpr ColorRef kButtonText = Rgb(255, 15, 0);

uint16_t g_playRequested = 0;

// The rounds a game can last, in the order a click steps through them; 0 is endless.
constexpr int32_t kRoundChoices[] = {0, 3, 5, 10, 20};
// The rounds button, at the left of the control button, is the NEXT button's
// picture at rest: a click steps on to the next choice.
constexpr int kRoundsButton = kNextButtonAtRest;

// A line of text with its shadow drawn first, one pixel below and right.
void Label(int x, int y, const std::string& text, ColorRef colour) { DrawShadowedCentered(x, y, text, kShadow, colour); }

// Draws a button and tells whether it was clicked this frame; a click is used
// up and heard.
bool Button(int sprite, int x, int y) {
  const SpriteEntry& button = Sprite(sprite);
  DrawSprite(g_display.back, button, x, y);
  if (g_input.leftButton != 1 || !PointerTouches(button, x, y)) return false;
  PlaySoundEffect(18);
  g_input.leftButton = 0;
  return true;
}

bool Classic() { return platform::GetOptions().classic; }

// The player the set-up shows and changes: the last one added on this
// machine (joined machines' players are set up there, and listed).
int PlayerBeingSetUp() {
  int player = 0;
  for (int i = 1; i < g_game.numberOfPlayers && i < kMaxPlayers; ++i)
    if (NetMachineOf(i) == 0) player = i;
  return player;
}

// Online play's players so far, top right: number, name and who plays it;
// the viewer's own in yellow.
void DrawRoster(const std::vector<LobbyPlayer>& players, int ownMachine) {
  const int x = 3 * g_config.screenWidth / 4 + 40, top = 3 * g_config.screenHeight / 10;
  std::string line;
  for (size_t i = 0; i < players.size(); ++i) {
    const LobbyPlayer& p = players[i];
    line = std::to_string(i + 1) + " " + p.name + " - ";
    PlayerRecord shown;
    shown.control = p.control;
    shown.strength = p.strength;
    line += p.machine != 0 ? "NETWORK" : ControlName(shown);
    Label(x, top + static_cast<int>(i) * g_display.fontHeight, line,
          p.machine == ownMachine && ownMachine != 0 ? Rgb(255, 255, 15) : kWhite);
  }
}

bool CanType(int key) { return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == ' '; }

}  // namespace

void NextFreeColour(int player) {
  if (player < 0 || player >= kMaxPlayers) return;
  int16_t& colour = g_players[player].colourIndex;
  bool taken;
  do {
    colour = static_cast<int16_t>(colour + 1 >= kColours ? 0 : colour + 1);
    taken = false;
    for (int lower = 0; lower < player; ++lower) taken = taken || g_players[lower].colourIndex == colour;
  } while (taken);
}

int32_t NextRoundsChoice(int32_t rounds) {
  for (const int32_t choice : kRoundChoices)
    if (choice > rounds) return choice;
  return kRoundChoices[0];
}

void RoundsText(int32_t rounds, std::string* out) {
  out->assign("ROUNDS: ");
  if (rounds <= 0) {
    *out += "ENDLESS";
  } else {
    AppendNumber(out, rounds);
  }
}

void NextControl(PlayerRecord& p, bool classic) {
  if (classic) {
    p.control = p.control == 0 ? 1 : 0;
    p.strength = kStrengthNormal;
  } else if (p.control == 0) {
    p.control = 1;
    p.strength = kStrengthNormal;
  } else if (p.strength == kStrengthNormal) {
    p.strength = kStrengthHard;
  } else if (p.strength == kStrengthHard) {
    p.strength = kStrengthEasy;
  } else {
    p.control = 0;
    p.strength = kStrengthNormal;
  }
}

const char* ControlName(const PlayerRecord& p) {
  if (p.control == 0) return "HUMAN";
  if (p.strength == kStrengthHard) return "HARD";
  if (p.strength == kStrengthEasy) return "EASY";
  return "COMPUTER";
}

void TypeIntoName(PlayerRecord& p) {
  if (g_input.lastKey == kKeyBackspace) {
    p.name.clear();
    g_input.lastKey = 0;
    PlaySoundEffect(18);
  }
  // The first letter typed over a default name replaces it (a player aid).
  if (CanType(g_input.lastKey) && IsDefaultPlayerName(p.name) && !platform::GetOptions().classic) p.name.clear();
  if (CanType(g_input.lastKey) && p.name.size() < kNameLength) {
    p.name += static_cast<char>(static_cast<int>(g_input.lastKey));
    g_input.lastKey = 0;
    PlaySoundEffect(18);
  }
}

int CMainFrame::MainMenu() {
  g_game.scene = Scene::kMenu;
  g_game.numberOfPlayers = 1;
  g_phases.emblem = 37;
  g_playRequested = 0;
  AnimationPhaseReset();
  RestoreSavedColour(0);
  BuildPanelFill();
  DrawPanel(MutableSprite(kPanelSprite).surface.get(), 0, 0, 610, 450);
  NetLobbyOpen();
  for (;;) {
    FlipFrame();
    ReadCursor();
    CheckSurfaces();
    StepFramePhase();
    NetLobbyFrame();
    DrawMainMenu();
    TypeIntoName(g_players[PlayerBeingSetUp()]);
    if (g_input.lastKey == kKeyEsc) {
      PlaySoundEffect(18);
      g_input.lastKey = 0;
      NetLobbyClose();
      return 0;
    }
    if (g_playRequested == 1) return 1;
  }
}

void CMainFrame::DrawMainMenu() {
  const int w2 = g_config.screenWidth / 2, w4 = g_config.screenWidth / 4, h10 = g_config.screenHeight / 10;
  const int fh = g_display.fontHeight;
  const int player = PlayerBeingSetUp();
  PlayerRecord& p = g_players[player];
  StretchSurface(g_display.back, MutableSprite(kPanelSprite).surface.get());
  DrawSprite(g_display.back, Sprite(g_phases.emblem + 10 * p.colourIndex), w2 + 20, 2 * h10 - 40);
  if (Button(kColourButton, w2 - 40, 2 * h10)) NextFreeColour(player);
  Label(w2, 2 * h10 + 55, "YOUR NAME:", Rgb(255, 255, 15));
  Label(w2, 2 * h10 + 55 + fh, p.name, kWhite);
  if (Button(kHumanButton - p.control, w2 - 20, 6 * h10)) NextControl(p, Classic());
  Label(w2, 6 * h10 + 40, ControlName(p), kWhite);
  if (GetNetRole() == NetRole::kHost) {
    std::vector<LobbyPlayer> lobby;
    for (int i = 0; i < g_game.numberOfPlayers && i < kMaxPlayers; ++i)
      lobby.push_back({g_players[i].name, static_cast<uint8_t>(g_players[i].colourIndex),
                       static_cast<uint8_t>(g_players[i].control), static_cast<uint8_t>(g_players[i].strength),
                       static_cast<uint8_t>(NetMachineOf(i))});
    DrawRoster(lobby, 0);
  }
  if (!Classic()) {
    if (Button(kRoundsButton, w4 - 20, 6 * h10)) g_game.roundsToPlay = NextRoundsChoice(g_game.roundsToPlay);
    static std::string rounds;
    RoundsText(g_game.roundsToPlay, &rounds);
    Label(w4, 6 * h10 + 40, rounds, kWhite);
  }
  if (g_game.numberOfPlayers > 1) {
    if (Button(kPlayButton, w4 - 20, 9 * h10 - 5)) g_playRequested = 1;
    Label(w4, 9 * h10 - fh - 5, "PLAY GAME", kButtonText);
  }
  if (g_game.numberOfPlayers != kMaxPlayers) {
    // The button only takes a click while its press animation is not running.
    const int x = 3 * w4 - 20, y = 9 * h10 - 5;
    if (g_phases.nextButton != kNextButtonAtRest) {
      DrawSprite(g_display.back, Sprite(g_phases.nextButton), x, y);
    } else if (Button(g_phases.nextButton, x, y)) {
      g_game.numberOfPlayers = static_cast<uint16_t>(g_game.numberOfPlayers + 1);
      ++g_phases.nextButton;
      NextFreeColour(g_game.numberOfPlayers - 1);
      RestoreSavedColour(g_game.numberOfPlayers - 1);
    }
    Label(3 * w4, 9 * h10 - fh - 5, "NEXT OPPONENT", kButtonText);
  }
  DrawMousePointer();
}

void CMainFrame::DrawGuestLobby(const PlayerRecord& self) {
  const int w2 = g_config.screenWidth / 2, h10 = g_config.screenHeight / 10;
  const int fh = g_display.fontHeight;
  const bool spectator = GetNetRole() == NetRole::kSpectator;
  const std::vector<LobbyPlayer>& lobby = NetLobbyPlayers();
  int colour = 0;
  for (const LobbyPlayer& p : lobby)
    if (p.machine == NetOwnMachine()) colour = p.colour;
  StretchSurface(g_display.back, MutableSprite(kPanelSprite).surface.get());
  if (!spectator) {
    DrawSprite(g_display.back, Sprite(g_phases.emblem + 10 * colour), w2 + 20, 2 * h10 - 40);
    Label(w2, 2 * h10 + 55, "YOUR NAME:", Rgb(255, 255, 15));
    Label(w2, 2 * h10 + 55 + fh, self.name, kWhite);
  }
  Label(w2, 6 * h10 + 40, spectator ? "WATCHING" : "NETWORK", kWhite);
  if (!Classic()) {
    static std::string rounds;
    RoundsText(NetLobbyRounds(), &rounds);
    Label(g_config.screenWidth / 4, 6 * h10 + 40, rounds, kWhite);
  }
  DrawRoster(lobby, NetOwnMachine());
  Label(w2, 9 * h10 - fh - 5, "WAITING FOR THE HOST", kButtonText);
  DrawMousePointer();
}

bool CMainFrame::GuestLobby(Replay* start) {
  g_game.scene = Scene::kMenu;
  g_phases.emblem = 37;
  AnimationPhaseReset();
  BuildPanelFill();
  DrawPanel(MutableSprite(kPanelSprite).surface.get(), 0, 0, 610, 450);
  PlayerRecord self;
  self.name = platform::GetOptions().name;
  for (;;) {
    FlipFrame();
    ReadCursor();
    CheckSurfaces();
    StepFramePhase();
    // A few ms for the host's news: a scripted run's clock does not race
    // through its script while it waits here.
    NetService(5);
    if (NetGameArrived(start)) return true;
    if (NetHostGone()) {
      platform::ShowMessage("THE HOST HAS LEFT THE GAME", kEmptyText);
      return false;
    }
    DrawGuestLobby(self);
    if (GetNetRole() == NetRole::kPlayer) {
      const std::string before = self.name;
      TypeIntoName(self);
      if (self.name != before && !self.name.empty()) NetSendName(self.name);
    }
    if (g_input.lastKey == kKeyEsc) {
      PlaySoundEffect(18);
      g_input.lastKey = 0;
      return false;
    }
  }
}
