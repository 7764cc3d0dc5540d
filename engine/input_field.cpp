#include "engine/input_field.h"

namespace rating {

std::string_view FieldLabel(InputField field) {
  switch (field) {
    case InputField::BottomWidth: return "Bottom Width (ft)";
    case InputField::BankSlope: return "Bank Slope run/rise";
    case InputField::Fall: return "Channel Fall (ft)";
    case InputField::Length: return "Channel Length (mi)";
    case InputField::Roughness: return "Manning's Roughness";
    case InputField::MaxFlow: return "Maximum Flow (cfs)";
    case InputField::Invert: return "Invert Elevation (ft)";
    case InputField::Increment: return "Incremental Depth (ft)";
    case InputField::Title: return "Title Line";
    case InputField::Filename: return "Output Rating Filename";
  }
  return "field";
}

}  // namespace rating
