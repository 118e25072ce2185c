#pragma once

#include <QString>

#include <stdexcept>

// A failed core operation. The text is the one shown to the user in the error box.
class Erreur : public std::runtime_error
{
public:
    explicit Erreur(const QString &texte)
        : std::runtime_error(texte.toStdString())
        , m_texte(texte)
    {
    }
    const QString &texte() const noexcept { return m_texte; }

private:
    QString m_texte;
};

// A command the user chose not to finish (a question answered no): nothing to report, the
// command stops there and counts as not done.
struct CommandeAbandonnee
{
};
