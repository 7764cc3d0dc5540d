#include "engine/unit_system.h"

#include "engine/failure.h"
#include "engine/table_order.h"
#include "engine/trimmed_text.h"

namespace rating {

static_assert(InKeyOrder(kUnitSystems, &UnitFacts::system),
              "kUnitSystems must list the systems in the order of UnitSystem");

UnitSystem ReadUnitSystem(std::string_view text) {
  for (const UnitFacts& facts : kUnitSystems) {
    if (NamesWord(text, facts.word)) return facts.system;
  }
  throw FieldFailure(FailureKind::TypeMismatch, Message::FieldNotAUnitSystem, InputField::Units, text);
}

}  // namespace rating
