#pragma once

// Reads an SVG document with a real XML parser, for the tests of drawings.
#include <expat.h>
#include <string>
#include <vector>

namespace rating::testing_support {

// What an SVG document holds, as a parser reads it.
struct SvgContents {
  std::string error;               // the parser's complaint; empty for well-formed XML
  std::string root;                // the root element's name
  std::vector<std::string> texts;  // the text of every <title>, <desc> and <text>, in order
};

inline SvgContents ReadSvg(const std::string& document) {
  struct State {
    SvgContents contents;
    bool inText = false;
  } state;
  XML_Parser parser = XML_ParserCreate("UTF-8");
  XML_SetUserData(parser, &state);
  XML_SetElementHandler(
      parser,
      [](void* data, const XML_Char* name, const XML_Char** /*attributes*/) {
        auto& s = *static_cast<State*>(data);
        const std::string element = name;
        if (s.contents.root.empty()) s.contents.root = element;
        s.inText = element == "text" || element == "title" || element == "desc";
        if (s.inText) s.contents.texts.emplace_back();
      },
      [](void* data, const XML_Char* /*name*/) { static_cast<State*>(data)->inText = false; });
  XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
    auto& s = *static_cast<State*>(data);
    if (s.inText) s.contents.texts.back().append(text, static_cast<std::size_t>(length));
  });
  if (XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) == XML_STATUS_ERROR) {
    state.contents.error = XML_ErrorString(XML_GetErrorCode(parser));
  }
  XML_ParserFree(parser);
  return state.contents;
}

}  // namespace rating::testing_support
