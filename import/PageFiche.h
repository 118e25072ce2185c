#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

// The card page of the cover site: one field a line, the lists with separators of their own.
namespace PageFiche {

// The first eleven lines of the answer (Windows-1252), empty lines given as "-"; none when the
// answer has fewer than eleven lines or holds a NUL byte (binary data).
std::optional<QStringList> lignes(QByteArrayView corps);

// Appends the pieces of `texte` cut at every `separateur`, empty pieces included; the piece
// after the last separator is always appended.
void decouper(QStringList &liste, const QString &texte, QChar separateur);

} // namespace PageFiche
