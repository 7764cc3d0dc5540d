#pragma once

#include <string_view>

namespace rating {

// The ten text fields of the main window. A failure names the field it arose
// in, so that a front end can put the cursor there.
enum class InputField {
  BottomWidth,  // ft
  BankSlope,    // run per rise
  Fall,         // channel fall over the reach, ft
  Length,       // reach length, mi
  Roughness,    // Manning's n
  MaxFlow,      // cfs
  Invert,       // invert elevation, ft
  Increment,  // depth step, ft
  Title,      // title line of the rating file
  Filename,   // name of the rating file
};

// The caption of the field's label, as the user sees it ("Bottom Width (ft)").
std::string_view FieldLabel(InputField field);

}  // namespace rating
