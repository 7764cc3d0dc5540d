# The page's site as one zip, trapezoid-rating-VERSION-web.zip, whose folder
# of the same name opens from disk or goes whole onto any static host.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME trapezoid-rating)
set(CPACK_PACKAGE_VENDOR "Trapezoid Channel Rating developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME trapezoid-rating-${PROJECT_VERSION}-web)
include(CPack)
