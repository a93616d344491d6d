#pragma once

// Lets GoogleTest print Qt texts readably in failure messages; included in every test.
#include <QSize>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[';
    for (const QString& text : list)
        *os << '"' << text.toStdString() << "\" ";
    *os << ']';
}

inline void PrintTo(const QSize& size, std::ostream* os) {
    *os << size.width() << " x " << size.height();
}
