# The Debian package, made by CPack (cpack --preset release, or ./package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillformer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Vendelmark)
set(CPACK_PACKAGE_CONTACT "Vendelmark <qf@vendelmark.example.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${QF_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vendelmark.example.com/quillformer)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[tidy the source code of Visual Basic 6 projects
Quillformer re-indents the code of a Visual Basic 6 project's forms,
modules, class modules, user controls and property pages by the nesting
of their blocks, lays out the designer headers, writes a comment header
above every Sub and Function, and marks each file as processed, keeping
every other byte in the file's own code page.
.
It comes as a small Chinese-language window (quillformer), which opens a
project file from the file manager, and as a command line
(quillformer-cli) with dry runs, diffs and a check for continuous
integration.]=])
# The libraries come from dpkg-shlibdeps. What it cannot see: the window is
# drawn in AR PL UMing (ui/fonts.h), and Chinese text in the Open dialog and
# in fonts other than that one needs a CJK fallback. The X11 platform plugin
# (libqxcb) is part of libqt6gui6, which the libraries bring.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-wqy-microhei | fonts-noto-cjk")
# Qt's Chinese texts of the Open dialog's buttons; xdg-open for the maker's
# web page.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
