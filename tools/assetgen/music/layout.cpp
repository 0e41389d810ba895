// Lays a tune's sections out bar by bar with their chords.
#include <sstream>
#include <stdexcept>

#include "assetgen/music/arrangement.h"

namespace music {

Layout LayOut(const Tune& tune) {
  Layout layout;
  layout.key = tune.key;
  layout.sixteenthsPerBar = tune.beatsPerBar * 4;
  if (tune.form.empty()) throw std::invalid_argument("a tune needs a form");
  int seen[3] = {0, 0, 0};
  for (char kind : tune.form) {
    const int which = kind == 'I' ? 0 : kind == 'A' ? 1 : kind == 'B' ? 2 : -1;
    const std::vector<std::string>* bars = which == 0 ? &tune.intro : which == 1 ? &tune.a : which == 2 ? &tune.b : nullptr;
    if (!bars || bars->empty()) throw std::invalid_argument(std::string("no chords for section ") + kind);
    Section section;
    section.kind = kind;
    section.firstBar = static_cast<int>(layout.bars.size());
    section.repeat = seen[which]++;
    for (const std::string& text : *bars) {
      std::istringstream in(text);
      std::vector<std::string> numerals;
      for (std::string n; in >> n;) numerals.push_back(n);
      if (numerals.empty() || numerals.size() > 2) throw std::invalid_argument("a bar has one or two chords: " + text);
      BarChords bar;
      bar.first = ParseChord(tune.key, numerals.front());
      bar.second = ParseChord(tune.key, numerals.back());
      bar.split = numerals.size() == 2;
      section.bars.push_back(bar);
    }
    layout.bars.insert(layout.bars.end(), section.bars.begin(), section.bars.end());
    layout.sections.push_back(std::move(section));
  }
  return layout;
}

}  // namespace music
