#include "engine/input_field.h"

namespace rating {

std::string_view FieldLabel(InputField field) {
  switch (field) {
    case InputField::Width: return "Bottom Width (ft)";
    case InputField::Bank: return "Bank Slope run/rise";
    case InputField::Slope: return "Channel Fall (ft)";
    case InputField::Length: return "Channel Length (mi)";
    case InputField::N: return "Manning's Roughness";
    case InputField::MaxQ: return "Maximum Flow (cfs)";
    case InputField::Elev: return "Invert Elevation (ft)";
    case InputField::Increment: return "Incremental Depth (ft)";
    case InputField::Title: return "Title Line";
    case InputField::Filename: return "Output Rating Filename";
  }
  return "field";
}

}  // namespace rating
