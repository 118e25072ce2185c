#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The cached title index of the cover site: one title a line, Windows-1252 bytes.
namespace ListeTitres {

// Lines ended by CR LF, LF or CR; a final line end adds no empty line.
QStringList decouperLignes(QByteArrayView octets);
// The titles of the file; an absent or unreadable file gives an empty list.
QStringList lire(const QString &chemin);
// Writes every title followed by CR LF, as Windows-1252 bytes, replacing the file atomically.
// False, with the reason in `erreur`, when the file cannot be written.
bool ecrire(const QString &chemin, const QStringList &titres, QString *erreur = nullptr);

// The titles that hold the fragment anywhere, compared exactly (an empty fragment keeps all),
// in the index's order.
QStringList filtrer(const QStringList &titres, const QString &fragment);

// Puts back in front the article that the index moves to the end: "PONT (LE)" gives
// "LE PONT". Each of the thirteen suffixes is tried once, in order, at its first occurrence;
// what follows it is dropped.
QString normaliserTitre(const QString &titre);

} // namespace ListeTitres
