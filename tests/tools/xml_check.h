// A small XML well-formedness check for the tests of the SVG output: one
// root element, every element closed in order, attributes quoted, only the
// predefined and numeric character references, no stray '<' or '&'. It
// counts the elements by name so tests can look at what was drawn.
#pragma once

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::testing {

struct XmlCheck {
  std::string error;  // empty when the document is well-formed
  std::string root;
  std::map<std::string, int> elements;
  std::vector<std::string> texts;  // character data of every element, in order
};

inline XmlCheck check_xml(std::string_view doc) {
  XmlCheck r;
  size_t i = 0;
  std::vector<std::string> open;
  bool root_closed = false;
  auto fail = [&](const std::string& what) {
    r.error = what + " at offset " + std::to_string(i);
    return r;
  };
  auto name_char = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':' || c == '.';
  };
  // A character reference or entity starting at doc[i] == '&'.
  auto reference = [&]() {
    const size_t semi = doc.find(';', i);
    if (semi == std::string_view::npos || semi - i > 10) return false;
    const std::string_view ref = doc.substr(i + 1, semi - i - 1);
    bool ok = ref == "amp" || ref == "lt" || ref == "gt" || ref == "quot" || ref == "apos";
    if (!ok && ref.size() > 1 && ref[0] == '#') {
      ok = true;
      const bool hex = ref[1] == 'x';
      for (char c : ref.substr(hex ? 2 : 1))
        ok = ok && (hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c)));
    }
    if (ok) i = semi + 1;
    return ok;
  };
  if (doc.substr(0, 5) == "<?xml") {
    const size_t end = doc.find("?>");
    if (end == std::string_view::npos) return fail("unclosed XML declaration");
    i = end + 2;
  }
  std::string text;
  while (i < doc.size()) {
    const char c = doc[i];
    if (c == '<') {
      if (doc.substr(i, 4) == "<!--") {
        const size_t end = doc.find("-->", i + 4);
        if (end == std::string_view::npos) return fail("unclosed comment");
        i = end + 3;
        continue;
      }
      if (!open.empty()) r.texts.push_back(text);
      text.clear();
      const bool closing = i + 1 < doc.size() && doc[i + 1] == '/';
      i += closing ? 2 : 1;
      const size_t start = i;
      while (i < doc.size() && name_char(doc[i])) ++i;
      const std::string name(doc.substr(start, i - start));
      if (name.empty()) return fail("an element without a name");
      if (closing) {
        while (i < doc.size() && std::isspace(static_cast<unsigned char>(doc[i]))) ++i;
        if (i >= doc.size() || doc[i] != '>') return fail("a malformed end tag");
        ++i;
        if (open.empty() || open.back() != name) return fail("</" + name + "> closes nothing open");
        open.pop_back();
        if (open.empty()) root_closed = true;
        continue;
      }
      if (root_closed) return fail("a second root element");
      if (open.empty() && r.root.empty()) r.root = name;
      ++r.elements[name];
      // Attributes.
      std::map<std::string, int> seen;
      while (true) {
        const size_t before = i;
        while (i < doc.size() && std::isspace(static_cast<unsigned char>(doc[i]))) ++i;
        if (i >= doc.size()) return fail("the document ends inside a tag");
        if (doc[i] == '>') {
          ++i;
          open.push_back(name);
          break;
        }
        if (doc.substr(i, 2) == "/>") {
          i += 2;
          if (open.empty()) root_closed = true;
          break;
        }
        if (i == before) return fail("attributes must be separated by space");
        const size_t a = i;
        while (i < doc.size() && name_char(doc[i])) ++i;
        const std::string attr(doc.substr(a, i - a));
        if (attr.empty()) return fail("a malformed attribute");
        if (seen[attr]++) return fail("the attribute " + attr + " twice");
        if (i >= doc.size() || doc[i] != '=') return fail("attribute " + attr + " has no value");
        ++i;
        if (i >= doc.size() || (doc[i] != '"' && doc[i] != '\'')) return fail("attribute " + attr + " is not quoted");
        const char q = doc[i++];
        while (i < doc.size() && doc[i] != q) {
          if (doc[i] == '<') return fail("'<' inside an attribute value");
          if (doc[i] == '&') {
            if (!reference()) return fail("a bad reference in an attribute");
          } else {
            ++i;
          }
        }
        if (i >= doc.size()) return fail("an unclosed attribute value");
        ++i;
      }
      continue;
    }
    if (c == '&') {
      const size_t at = i;
      if (!reference()) return fail("a bad reference");
      text += doc.substr(at, i - at);
      continue;
    }
    if (open.empty() && !std::isspace(static_cast<unsigned char>(c))) return fail("text outside the root element");
    text += c;
    ++i;
  }
  if (!open.empty()) return fail("<" + open.back() + "> is never closed");
  if (r.root.empty()) return fail("no root element");
  return r;
}

}  // namespace scenario::testing
