// The placeholders of every message are checked when the program is
// compiled: these patterns, each of one shape, are judged as a call of
// Compose with these values would be.
#include "messages/messages.h"

namespace rating {
namespace {

using message_check::PlaceholdersFit;

// Exactly the values given, as Compose requires.
static_assert(PlaceholdersFit("{kind}: {field} \"{text}\".", {"kind", "field", "text"}, true));
static_assert(PlaceholdersFit("No placeholder.", {}, true));
static_assert(!PlaceholdersFit("{kind}: {field}.", {"kind"}, true), "a placeholder without a value");
static_assert(!PlaceholdersFit("{kind}: {feild}.", {"kind", "field"}, true), "a misspelt placeholder");
static_assert(!PlaceholdersFit("{kind}.", {"kind", "path"}, true), "a value no placeholder takes");
static_assert(!PlaceholdersFit("{kind: x.", {"kind"}, true), "an opening brace never closed");
static_assert(!PlaceholdersFit("kind}: x.", {"kind"}, true), "a closing brace never opened");
static_assert(!PlaceholdersFit("{{kind}}.", {"kind"}, true), "nested braces");
static_assert(!PlaceholdersFit("{}.", {}, true), "a placeholder without a name");

// Among the values given, as a caller that fills in one set for several
// messages requires.
static_assert(PlaceholdersFit("{kind}: {field} is empty.", {"kind", "field", "text"}, false));
static_assert(!PlaceholdersFit("{kind}: {path}.", {"kind", "field", "text"}, false),
              "a placeholder not given");

// Every message of the program, with the values each takes.
static_assert(PlaceholdersFit(Pattern(Message::FileProblem), {"kind", "path", "reason"}, true));
static_assert(PlaceholdersFit(Pattern(Message::FieldNotANumber), {"kind", "field", "text"}, true));

}  // namespace
}  // namespace rating
