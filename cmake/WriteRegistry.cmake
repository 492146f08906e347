# Writes the installation registry file that the program reads at start-up (the stand-in for
# the Windows App Paths key). Usage: cmake -DREGISTRY=<file> -DAPP_EXE=<program path> -P WriteRegistry.cmake
if(NOT REGISTRY OR NOT APP_EXE)
  message(FATAL_ERROR "WriteRegistry.cmake needs REGISTRY and APP_EXE")
endif()
get_filename_component(dir "${REGISTRY}" DIRECTORY)
file(MAKE_DIRECTORY "${dir}")
file(WRITE "${REGISTRY}"
  "; Installation registry of delvo2 (same key and value as the Windows registry entry).\n"
  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\DELVO2.exe]\n"
  "@=${APP_EXE}\n")
message(STATUS "Registry file ${REGISTRY} -> ${APP_EXE}")
