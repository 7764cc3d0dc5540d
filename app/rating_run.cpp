#include "app/rating_run.h"

#include "engine/channel_parameters.h"
#include "engine/rating_table.h"
#include "output/listing.h"
#include "output/rating_file.h"

namespace rating {

RatingTable CreateRatingFile(RatingForm& form) {
  const std::string separator = form.DecimalSeparator();
  // A braced list is evaluated left to right, so the fields are read in order.
  const ChannelParameters channel = ReadChannelParameters(
      {form.FieldText(InputField::MaxQ), form.FieldText(InputField::Width), form.FieldText(InputField::Bank),
       form.FieldText(InputField::Slope), form.FieldText(InputField::Length), form.FieldText(InputField::N),
       form.FieldText(InputField::Elev), form.FieldText(InputField::Increment)},
      separator);
  RatingTable table = CreateRatingTable(channel);

  form.ClearList();
  RatingFileWriter file(separator);
  file.Open(form.FieldText(InputField::Filename));
  file.WriteTitle(form.FieldText(InputField::Title));
  // Read one after another: the order of function arguments is unspecified.
  const std::string width = form.FieldText(InputField::Width);
  const std::string bank = form.FieldText(InputField::Bank);
  const std::string fall = form.FieldText(InputField::Slope);
  const std::string length = form.FieldText(InputField::Length);
  const std::string n = form.FieldText(InputField::N);
  file.WriteParameters(width, bank, fall, length, n);

  ComputeRatingTable(channel, table);

  for (const std::string_view heading : kListingHeadings) form.AddListLine(std::string(heading));
  for (int j = 0; j <= table.LastRow; ++j) {
    file.WriteRow(table, j);
    form.AddListLine(FormatListingRow(table, j, separator));
  }
  file.Close();
  return table;
}

}  // namespace rating
