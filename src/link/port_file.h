#pragma once

#include <QString>

struct Session;
class Operator;

// "PortNo.txt" in the program folder: the serial port number in decimal followed by CR LF.
QString PortFilePath(const QString& appDir);

// Reads the port number into session.link.PortNumber; on any error the operator is told
// "Can't access file: '<path>'." and the number keeps its previous value.
void ReadPortFile(Session& session, Operator& op);
// Writes session.link.PortNumber; the same message on failure.
void WritePortFile(const Session& session, Operator& op);
