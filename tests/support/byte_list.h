#pragma once

#include <QByteArray>

#include <initializer_list>

// Bytes written as numbers, for expected frames and scripted replies.
inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}
