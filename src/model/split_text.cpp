#include "model/split_text.h"

QStringList SplitText(const QString& text, const QString& delimiter)
{
    QStringList pieces{QString()};
    if (delimiter.isEmpty()) {
        pieces << text;
        return pieces;
    }
    // The text framed by the delimiter: each stretch between two occurrences is a piece.
    const QString framed = delimiter + text + delimiter;
    qsizetype start = delimiter.size();
    for (;;) {
        const qsizetype next = framed.indexOf(delimiter, start);
        if (next < 0)
            break;
        pieces << framed.mid(start, next - start);
        start = next + delimiter.size();
    }
    return pieces;
}
