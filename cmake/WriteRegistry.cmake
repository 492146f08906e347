# Writes the installation registry file that the program reads at start-up (the stand-in for
# the Windows App Paths key).
# Usage: cmake -DREGISTRY=<file> -DAPP_EXE=<program path> [-DREAD_ONLY_APP_DIR=ON] -P WriteRegistry.cmake
# READ_ONLY_APP_DIR (installations) sends the files the program writes to the user's data folder.
if(NOT REGISTRY OR NOT APP_EXE)
  message(FATAL_ERROR "WriteRegistry.cmake needs REGISTRY and APP_EXE")
endif()
get_filename_component(dir "${REGISTRY}" DIRECTORY)
file(MAKE_DIRECTORY "${dir}")
string(CONCAT text
  "; Installation registry of delvo2 (same key and value as the Windows registry entry).\n"
  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\DELVO2.exe]\n"
  "@=${APP_EXE}\n")
if(READ_ONLY_APP_DIR)
  string(APPEND text "; The program folder is shared and read-only: unit records and PortNo.txt go to the user's data folder.\n"
                     "ReadOnlyAppDir=1\n")
endif()
file(WRITE "${REGISTRY}" "${text}")
message(STATUS "Registry file ${REGISTRY} -> ${APP_EXE}")
