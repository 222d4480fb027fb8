// Checks of the catalogue's texts against the published rule and its preamble (the copies in
// tests/data): white space evened out, letter case ignored where the marking ignores it.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace texts {

// Collapses every run of white space to one blank and trims both ends.
inline std::string normalised(std::string_view s) {
  std::string out;
  bool blank = false;
  for (char c : s) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

inline std::string lowered(std::string_view s) {
  std::string out(s);
  for (char &c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Whole-word, case-blind find, as the marking of the highlight words does it.
inline bool containsWholeWords(std::string_view text, std::string_view words) {
  const std::string t = lowered(text), w = lowered(words);
  auto isWordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  for (std::size_t at = t.find(w); at != std::string::npos; at = t.find(w, at + 1)) {
    const bool startOk = at == 0 || !isWordChar(t[at - 1]);
    const bool endOk = at + w.size() >= t.size() || !isWordChar(t[at + w.size()]);
    if (startOk && endOk) return true;
  }
  return false;
}

// A reference file of tests/data, whole.
inline std::string readReference(const char *name) {
  std::ifstream in(std::string(QUORVANE_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name << " missing from the test data";
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The preamble and the rule, each as one text with its white space evened out.
inline const std::string &preambleText() {
  static const std::string text = normalised(readReference("final-rule-2003-preamble.txt"));
  return text;
}
inline const std::string &ruleFileText() {
  static const std::string text = normalised(readReference("security-rule-2003.txt"));
  return text;
}

// The preamble file's own words: its bracketed lines (fragment labels, the notes on what was
// not recovered and on other copies) are notes to the program's makers, not the preamble's
// text, so they are left out. A block of them runs from a line that begins with "[" to the
// line that ends with "]".
inline const std::string &preambleOwnText() {
  static const std::string text = [] {
    const std::string raw = readReference("final-rule-2003-preamble.txt");
    std::string own;
    bool inNote = false;
    std::size_t from = 0;
    while (from <= raw.size()) {
      std::size_t end = raw.find('\n', from);
      if (end == std::string::npos) end = raw.size();
      std::string line = raw.substr(from, end - from);
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
      if (!inNote && line.starts_with("[")) inNote = true;
      if (!inNote) own += line + "\n";
      if (inNote && line.ends_with("]")) inNote = false;
      from = end + 1;
    }
    return normalised(own);
  }();
  return text;
}

// The passages of 40 characters or more that the preamble file quotes only inside its notes
// (words that a secondary source gives as the preamble's, a heading as another copy gives it),
// without a closing full stop: the program may not ship them as the preamble's words.
inline const std::vector<std::string> &noteOnlyQuotations() {
  static const std::vector<std::string> quotes = [] {
    const std::string all = preambleText();
    const std::string &own = preambleOwnText();
    std::vector<std::string> out;
    const std::pair<std::string, std::string> marks[] = {{"\"", "\""}, {"\u201C", "\u201D"}};
    for (const auto &[open, close] : marks) {
      for (std::size_t at = all.find(open); at != std::string::npos;) {
        const std::size_t start = at + open.size();
        const std::size_t end = all.find(close, start);
        if (end == std::string::npos) break;
        std::string q = all.substr(start, end - start);
        while (!q.empty() && (q.back() == '.' || q.back() == ',' || q.back() == ' ')) q.pop_back();
        if (q.size() >= 40 && own.find(q) == std::string::npos) out.push_back(q);
        at = all.find(open, end + close.size());
      }
    }
    return out;
  }();
  return quotes;
}

// The lines of a text split at CR LF.
inline std::vector<std::string> crlfLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find("\r\n", from)) != std::string_view::npos; from = at + 2)
    lines.emplace_back(text.substr(from, at - from));
  lines.emplace_back(text.substr(from));
  return lines;
}

// The part of a UTF-8 text that a span counted in characters covers.
inline std::string charSpan(std::string_view utf8, int start, int length) {
  std::size_t byte = 0;
  int chars = 0;
  auto advance = [&](int to) {
    while (byte < utf8.size() && chars < to) {
      ++byte;
      while (byte < utf8.size() && (static_cast<unsigned char>(utf8[byte]) & 0xC0) == 0x80) ++byte;
      ++chars;
    }
  };
  advance(start);
  const std::size_t from = byte;
  advance(start + length);
  return std::string(utf8.substr(from, byte - from));
}

}  // namespace texts
