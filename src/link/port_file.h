#pragma once

#include <QString>

#include <cstdint>

class Operator;
struct Session;

// "PortNo.txt": the serial port number in decimal followed by CR LF. It is written in the folder
// of the unit records (RecordFolder) and read from there, or while that folder has none yet,
// from the program folder (the shipped default).
QString PortFilePath(const QString& folder);

// Reads the port number into portNumber; on any error the operator is told "Can't access file:
// '<path>'." and the number keeps its previous value.
void ReadPortFile(const Session& session, std::int16_t& portNumber, Operator& op);
// Writes the port number into the folder of the unit records; the same message on failure.
void WritePortFile(const Session& session, std::int16_t portNumber, Operator& op);
