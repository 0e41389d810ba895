#include "state/settings.h"

#include <charconv>
#include <iterator>

#include "platform/options.h"

namespace {

// One key of the file. Per-player keys stand for player1_KEY .. player5_KEY
// (index 0..4); the others have index 0.
struct Field {
  const char* key;
  bool perPlayer;
  std::string (*get)(const Settings& s, int index);
  bool (*set)(Settings* s, int index, std::string_view value);
};

bool ReadNumber(std::string_view v, int low, int high, int* out) {
  int n = 0;
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
  if (ec != std::errc() || end != v.data() + v.size() || n < low || n > high) return false;
  *out = n;
  return true;
}

// A value that is one of names (its index), or a number given as such.
bool ReadChoice(std::string_view v, std::initializer_list<const char*> names, int* out) {
  int i = 0;
  for (const char* name : names) {
    if (v == name) {
      *out = i;
      return true;
    }
    ++i;
  }
  return false;
}

template <int Settings::*M, int Low, int High>
constexpr Field Number(const char* key) {
  return {key, false, [](const Settings& s, int) { return std::to_string(s.*M); },
          [](Settings* s, int, std::string_view v) { return ReadNumber(v, Low, High, &(s->*M)); }};
}

template <bool Settings::*M>
constexpr Field YesNo(const char* key) {
  return {key, false, [](const Settings& s, int) { return std::string(s.*M ? "yes" : "no"); },
          [](Settings* s, int, std::string_view v) {
            int yes = 0;
            if (!ReadChoice(v, {"no", "yes"}, &yes) && !ReadChoice(v, {"false", "true"}, &yes)) return false;
            s->*M = yes == 1;
            return true;
          }};
}

constexpr Field kDisplayModeField = {
    "display_mode", false,
    [](const Settings& s, int) {
      return std::string(s.displayMode < 0 ? "default" : platform::kDisplayModes[s.displayMode]);
    },
    [](Settings* s, int, std::string_view v) {
      if (v == "default") return (s->displayMode = -1), true;
      for (int m = 0; m < static_cast<int>(std::size(platform::kDisplayModes)); ++m)
        if (v == platform::kDisplayModes[m]) return (s->displayMode = m), true;
      return false;
    }};

constexpr Field kNameField = {
    "name", true, [](const Settings& s, int i) { return s.player[i].name; },
    [](Settings* s, int i, std::string_view v) {
      if (v.size() > 12) return false;
      for (const char c : v)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ')) return false;
      s->player[i].name = v;
      return true;
    }};

constexpr Field kColourField = {
    "colour", true, [](const Settings& s, int i) { return std::to_string(s.player[i].colour); },
    [](Settings* s, int i, std::string_view v) { return ReadNumber(v, 0, 4, &s->player[i].colour); }};

constexpr Field kControlField = {
    "control", true, [](const Settings& s, int i) { return std::string(s.player[i].control ? "computer" : "human"); },
    [](Settings* s, int i, std::string_view v) { return ReadChoice(v, {"human", "computer"}, &s->player[i].control); }};

// Every setting, in the order the file lists them.
const Field kFields[] = {
    Number<&Settings::effectsVolume, 0, 100>("effects_volume"),
    Number<&Settings::musicVolume, 0, 100>("music_volume"),
    YesNo<&Settings::fullscreen>("fullscreen"),
    kDisplayModeField,
    Number<&Settings::players, 0, kMaxPlayers>("players"),
    kNameField,
    kColourField,
    kControlField,
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The field and player index a key names; null when it names none.
const Field* FindField(std::string_view key, int* index) {
  *index = 0;
  if (key.size() > 8 && key.substr(0, 6) == "player" && key[6] >= '1' && key[6] <= '0' + kMaxPlayers &&
      key[7] == '_') {
    *index = key[6] - '1';
    key.remove_prefix(8);
    for (const Field& f : kFields)
      if (f.perPlayer && key == f.key) return &f;
    return nullptr;
  }
  for (const Field& f : kFields)
    if (!f.perPlayer && key == f.key) return &f;
  return nullptr;
}

}  // namespace

bool ParseSettings(std::string_view text, Settings* out, std::string* error) {
  if (text.size() > kMaxSettingsBytes) {
    *error = "longer than " + std::to_string(kMaxSettingsBytes) + " bytes";
    return false;
  }
  Settings s = *out;
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    const std::string where = "line " + std::to_string(number) + ": ";
    for (size_t i = 0; i < line.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(line[i]);
      const bool lineEnd = c == '\r' && i + 1 == line.size();
      if ((c < 32 && c != '\t' && !lineEnd) || c >= 127) {
        *error = where + "not text";
        return false;
      }
    }
    line = Trim(line);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      *error = where + "not a 'key = value' line";
      return false;
    }
    const std::string_view key = Trim(line.substr(0, equals)), value = Trim(line.substr(equals + 1));
    int index = 0;
    const Field* field = FindField(key, &index);
    if (field && !field->set(&s, index, value)) {
      *error = where + "'" + std::string(value) + "' is not a value of " + std::string(key);
      return false;
    }
  }
  // Players past the count are not the last game's: they are not kept.
  for (int i = s.players; i < kMaxPlayers; ++i) s.player[i] = SavedPlayer();
  *out = s;
  return true;
}

std::string FormatSettings(const Settings& s) {
  std::string text = "# Bulwark's settings, written by the game whenever one changes.\n";
  for (const Field& f : kFields) {
    if (!f.perPlayer) text += std::string(f.key) + " = " + f.get(s, 0) + "\n";
  }
  for (int i = 0; i < s.players && i < kMaxPlayers; ++i)
    for (const Field& f : kFields)
      if (f.perPlayer)
        text += "player" + std::to_string(i + 1) + "_" + f.key + " = " + f.get(s, i) + "\n";
  return text;
}
