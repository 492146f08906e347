#pragma once

#include <QString>

#include <cstdint>

class Operator;

// "PortNo.txt" in the program folder: the serial port number in decimal followed by CR LF.
QString PortFilePath(const QString& appDir);

// Reads the port number of the file in `folder` into portNumber; on any error the operator is
// told "Can't access file: '<path>'." and the number keeps its previous value.
void ReadPortFile(const QString& folder, std::int16_t& portNumber, Operator& op);
// Writes the port number; the same message on failure.
void WritePortFile(const QString& folder, std::int16_t portNumber, Operator& op);
