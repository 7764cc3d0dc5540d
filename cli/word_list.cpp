#include "cli/word_list.h"

#include "messages/messages.h"

namespace rating::cli {

std::string WordList(const std::vector<std::string>& items) {
  if (items.empty()) return {};
  // From the end: "b and c", then "a, b and c".
  std::string text = items.back();
  for (std::size_t i = items.size() - 1; i > 0; --i) {
    const bool last = i + 1 == items.size();
    text = last ? Compose(Message::WordsListPair, Arg<"first">(items[i - 1]), Arg<"last">(text))
                : Compose(Message::WordsListMore, Arg<"first">(items[i - 1]), Arg<"rest">(text));
  }
  return text;
}

}  // namespace rating::cli
