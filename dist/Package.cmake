# The Debian package: cpack -G DEB in the build folder makes
# folioquill_<version>_<arch>.deb. The libraries the programs link are found
# by dpkg-shlibdeps; the fonts are those the engine lays text out with in
# place of Word's own.
set(CPACK_PACKAGE_NAME "folioquill")
set(CPACK_PACKAGE_VENDOR "Trevalon")
set(CPACK_PACKAGE_CONTACT "Trevalon <support@trevalon-software.example>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch converter of Word documents into Publisher files")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.trevalon-software.example/")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-crosextra-carlito, fonts-crosextra-caladea")
set(CPACK_PACKAGE_DESCRIPTION
  "Folioquill turns Word documents (.doc and .docx) into Microsoft Publisher
2002-2010 publications (.pub), one publication for every document. Its
window queues documents from the file dialog, folder scans, drag and drop
and the bundled samples; the command-line converter folioquill-convert
converts whole folder trees in parallel with a progress line and a JSON
Lines report for scripts. The built-in publishing engine lays out pages,
tables, pictures, shapes and borders as the documents have them.")
include(CPack)
