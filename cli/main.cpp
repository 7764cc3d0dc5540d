#include <ostream>

#include "cli/cli_run.h"
#include "cli/standard_stream.h"
#include "platform/platform.h"

int main(int argc, char* argv[]) {
  using rating::platform::StandardStream;
  rating::platform::MarkRunning();
  rating::cli::StandardStreamBuffer outBuffer(StandardStream::Output);
  rating::cli::StandardStreamBuffer errBuffer(StandardStream::Error);
  std::ostream out(&outBuffer);
  std::ostream err(&errBuffer);
  return rating::cli::RunCommandLine(rating::platform::CommandLineArguments(argc, argv),
                                     rating::platform::UserDecimalSeparator(), out, err,
                                     rating::platform::IsTerminal(StandardStream::Error));
}
