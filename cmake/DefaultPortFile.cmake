# Creates the port file (port 1, CR LF) when it does not exist yet; an existing choice is kept.
if(NOT EXISTS "${TARGET}")
  file(WRITE "${TARGET}" "1\r\n")
endif()
