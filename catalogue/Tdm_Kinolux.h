#pragma once

#include "catalogue/TFicheFilm.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace pugi {
class xml_node;
}

using Catalogue = std::vector<std::unique_ptr<TFicheFilm>>;

// The data module: owns the catalogue, its XML file and the title index of the cover site.
// Every file is found from the base directory given at construction.
class Tdm_Kinolux final : public QObject
{
    Q_OBJECT

public:
    explicit Tdm_Kinolux(const QString &repertoire, QObject *parent = nullptr);
    ~Tdm_Kinolux() override;

    const QString &repertoire() const { return m_repertoire; }
    // The file path of a name relative to the base directory ("IMAGES_FILMS\\X.jpg" included).
    QString chemin(const QString &relatif) const;

    Catalogue &fichesFilms() { return m_fichesFilms; }
    const Catalogue &fichesFilms() const { return m_fichesFilms; }
    QStringList &listeTitres() { return m_listeTitres; }
    const QStringList &listeTitres() const { return m_listeTitres; }

    // Appends the card unless one with the same idFilm is there; takes it only on success.
    bool ajouterFicheFilm(std::unique_ptr<TFicheFilm> &fiche);

    // Destroys every card, last to first.
    void detruireFichesFilms();

    void lireBaseFilms();
    void ecrireBaseFilms();

    static void lireOccurences(QStringList &liste, const pugi::xml_node &element);
    static void ecrireOccurences(const QStringList &liste, pugi::xml_node &element);

private:
    // What the last look at baseFilm.bdf left: nothing read yet in this run, a file read (or
    // absent) or written, or a file that could not be read and must not be lost on the next save.
    enum class EtatBase
    {
        NonLue,
        Lue,
        Illisible
    };

    void DataModuleCreate();
    void DataModuleDestroy();
    // Copies baseFilm.bdf beside itself under a dated name; throws when it cannot.
    void conserverBase(const QString &fichier) const;

    QString m_repertoire;
    EtatBase m_etatBase = EtatBase::NonLue;
    QStringList m_listeTitres;
    Catalogue m_fichesFilms;
};
