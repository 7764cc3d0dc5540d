// Must not compile: the message has {reason}, and the call gives {reasn}.
// The build runs the compiler on this file and expects it to refuse.
#include "messages/messages.h"

std::string Misspelt() {
  return rating::Compose(rating::Message::FileProblem, rating::Arg<"kind">("Cannot write"),
                         rating::Arg<"path">("x"), rating::Arg<"reasn">("full"));
}
