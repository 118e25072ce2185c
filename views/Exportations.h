#pragma once

#include "catalogue/ChampsFiche.h"
#include "catalogue/TFicheFilm.h"
#include "echanges/Impression.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class Dialogues;
class QAction;
class QMenu;
class QWidget;
class Tdm_Kinolux;

// The commands that take cards out of the catalogue (CSV, HTML catalogue, PDF, printing, .nfo
// files for media centres) and the imports that bring them in (CSV, other catalogues). The
// catalogue window and the overview window each have one, over the cards they give.
class Exportations final : public QObject
{
    Q_OBJECT

public:
    // What a command works on: these cards in this order, the CSV with these columns.
    struct Portee
    {
        std::vector<CleFiche> cles;
        std::vector<ChampsFiche::Champ> colonnes;
    };

    Exportations(Tdm_Kinolux &dm, Dialogues &dialogues, QWidget *fenetre,
                 std::function<Portee()> portee, std::function<void()> suivreCatalogue);

    // Every card by title, every field in the file's order.
    static Portee toutLeCatalogue(const Tdm_Kinolux &dm);
    // The commands as actions named as their handlers (without "Execute"), made children of
    // `conteneur`; the separators of a menu between groups.
    QList<QAction *> creerActions(QObject *conteneur);
    void remplirMenu(QMenu &menu, const QList<QAction *> &actions) const;

    // Where the last file or folder was written.
    const QString &dernierFichier() const { return m_dernierFichier; }

public slots:
    void exporterCsvExecute();
    void importerCsvExecute();
    // A Tellico, GCstar, Ant Movie Catalog or Kodi file: the cards it holds, shown before they
    // are added with their covers, in one step of the undo history.
    void importerAutreCatalogueExecute();
    void exporterHtmlExecute();
    void exporterPdfListeExecute();
    void exporterPdfFichesExecute();
    void imprimerListeExecute();
    void imprimerFichesExecute();
    void exporterNfoExecute();

private:
    struct Copie
    {
        std::vector<TFicheFilm> fiches;
        std::vector<QString> couvertures;
    };
    // The cards of the command, copied: the work runs off the GUI thread on them.
    Copie copier(const std::vector<CleFiche> &cles, bool avecCouvertures) const;
    // The cards in the catalogue's title order.
    std::vector<CleFiche> parTitre(std::vector<CleFiche> cles) const;
    QString fichierAEnregistrer(const QString &titre, const QString &filtre, const QString &nom,
                                const QString &extension);
    void exporterPdf(Impression::Mise mise);
    void imprimer(Impression::Mise mise);
    void termine(const QString &texte);
    // What an import will add, what it leaves out and why: true when the user agrees.
    bool confirmerImport(const QString &titre, const QString &nom, const Catalogue &fiches,
                         QStringList notes);

    Tdm_Kinolux &m_dm;
    Dialogues &m_dialogues;
    QWidget *m_fenetre;
    std::function<Portee()> m_portee;
    std::function<void()> m_suivreCatalogue;
    QString m_dernierFichier;
};
