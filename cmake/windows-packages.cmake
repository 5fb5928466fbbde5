# The Windows deliverables, both of the same installed tree (kestrami.exe,
# LICENSE.txt, README.txt):
# - kestrami-<version>-windows-x64.zip, the portable program in a folder of
#   its own;
# - kestrami-<version>-windows-x64-setup.exe, an NSIS installer: per machine
#   under Program Files, a Start-menu entry, an entry in the installed
#   programs with name, version, icon and uninstaller; /S installs and
#   uninstalls silently.
set(CPACK_GENERATOR ZIP NSIS)
# The values below reach NSIS as they are written here.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_FILE_NAME ${KESTRAMI_WINDOWS_PACKAGE})
set(CPACK_PACKAGE_NAME Kestrami)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kestrami)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kestrami)
set(CPACK_PACKAGE_EXECUTABLES kestrami Kestrami)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/data/LICENSE.txt)
# The generator's own file name for the installer ends in -setup.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows-package-names.cmake)

# Debian's NSIS builds a 32-bit installer unless told otherwise; a 64-bit
# one needs no 32-bit Wine and writes to the 64-bit registry and Program
# Files. (CPack passes these lines to the script before its first section.)
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME Kestrami)
set(CPACK_NSIS_DISPLAY_NAME Kestrami)
set(CPACK_NSIS_INSTALLED_ICON_NAME kestrami.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/ui/assets/kestrami.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/ui/assets/kestrami.ico)
set(CPACK_NSIS_CONTACT ${CPACK_PACKAGE_CONTACT})
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The installer keeps the install folder in a key of the vendor's; the
# uninstaller removes that key and, when no other program of the vendor's
# has one there, the vendor's key too. The user's Kestrami.txt, which the
# program may have written beside itself, stays, and with it the folder.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
  "DeleteRegKey SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\\Kestrami\"
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")

# Packing installs what is built already (make windows builds the program
# alone) instead of building every target, tests included, first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
