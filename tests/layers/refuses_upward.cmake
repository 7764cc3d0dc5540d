# The include check on a small tree with one include that runs up: it fails,
# names that include alone, and passes the tree's other includes.
# Usage: cmake -DCHECK=check-includes -DWORK=folder -P refuses_upward.cmake
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/routing/reach.cpp "#include \"routing/reach.h\"\n#include \"engine/rating_table.h\"\n#include \"output/exports.h\"\n")
file(WRITE ${WORK}/plot/chart.cpp "#include <vector>\n#include \"plot/scene.h\"\n#include \"engine/decimal_text.h\"\n")
file(WRITE ${WORK}/cli/main.cpp "#include \"run/rating_run.h\"\n#include \"command_line.h\"\n")
execute_process(COMMAND ${CHECK} ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(status EQUAL 0)
  message(FATAL_ERROR "an upward include passed:\n${out}")
endif()
if(NOT out MATCHES "routing/reach.cpp:3: routing/ may not include \"output/exports.h\"")
  message(FATAL_ERROR "the upward include is not named:\n${out}")
endif()
if(out MATCHES "plot/chart.cpp|cli/main.cpp|[02-9] of" OR NOT out MATCHES "1 of 7 includes")
  message(FATAL_ERROR "an include within its list was refused, or one was missed:\n${out}")
endif()
