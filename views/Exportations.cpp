#include "views/Exportations.h"

#include "catalogue/Commande.h"
#include "catalogue/Dialogues.h"
#include "catalogue/Erreur.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/Tdm_Kinolux.h"
#include "echanges/AnalyseDossier.h"
#include "echanges/AutresCatalogues.h"
#include "echanges/CatalogueHtml.h"
#include "echanges/Csv.h"
#include "echanges/FichierEntier.h"
#include "echanges/Nfo.h"
#include "views/ActionsMenu.h"
#include "views/TacheLongue.h"
#include "views/Vignettes.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString k_titre = u"Exportation"_s;
constexpr int k_lignesMontrees = 15;

QString nombre(qsizetype n)
{
    return QLocale(QLocale::French).toString(qint64(n));
}

// A list of lines cut after the first few, with how many were left out.
QString extrait(const QStringList &lignes)
{
    QStringList montrees = lignes.mid(0, k_lignesMontrees);
    if (lignes.size() > k_lignesMontrees)
        montrees.append(u"… et %1 autres"_s.arg(nombre(lignes.size() - k_lignesMontrees)));
    return montrees.join(u'\n');
}

} // namespace

Exportations::Exportations(Tdm_Kinolux &dm, Dialogues &dialogues, QWidget *fenetre,
                           std::function<Portee()> portee, std::function<void()> suivreCatalogue)
    : QObject(fenetre)
    , m_dm(dm)
    , m_dialogues(dialogues)
    , m_fenetre(fenetre)
    , m_portee(std::move(portee))
    , m_suivreCatalogue(std::move(suivreCatalogue))
{
}

Exportations::Portee Exportations::toutLeCatalogue(const Tdm_Kinolux &dm)
{
    Portee portee;
    const std::vector<int> &lignes = dm.modele().lignesParTitre();
    portee.cles.reserve(lignes.size());
    for (const int ligne : lignes)
        portee.cles.push_back(dm.cle(size_t(ligne)));
    for (int c = 0; c < ChampsFiche::NombreChamps; ++c)
        portee.colonnes.push_back(static_cast<ChampsFiche::Champ>(c));
    return portee;
}

QList<QAction *> Exportations::creerActions(QObject *conteneur)
{
    using E = Exportations;
    return creerActionsMenu<E>(
        *this, m_dialogues, conteneur,
        {
            {u"exporterCsv"_s, u"Exporter en CSV…"_s, &E::exporterCsvExecute},
            {u"importerCsv"_s, u"Importer un CSV…"_s, &E::importerCsvExecute},
            {u"importerAutreCatalogue"_s, u"Importer d'un autre catalogue…"_s,
             &E::importerAutreCatalogueExecute},
            {u"exporterHtml"_s, u"Catalogue HTML…"_s, &E::exporterHtmlExecute},
            {u"exporterPdfListe"_s, u"PDF : liste…"_s, &E::exporterPdfListeExecute},
            {u"exporterPdfFiches"_s, u"PDF : fiches…"_s, &E::exporterPdfFichesExecute},
            {u"imprimerListe"_s, u"Imprimer la liste…"_s, &E::imprimerListeExecute},
            {u"imprimerFiches"_s, u"Imprimer les fiches…"_s, &E::imprimerFichesExecute},
            {u"exporterNfo"_s, u"Fichiers NFO pour les médiacentres…"_s, &E::exporterNfoExecute},
        });
}

void Exportations::remplirMenu(QMenu &menu, const QList<QAction *> &actions) const
{
    for (QAction *action : actions) {
        const QString nom = action->objectName();
        if (nom == u"exporterHtml"_s || nom == u"imprimerListe"_s || nom == u"exporterNfo"_s)
            menu.addSeparator();
        menu.addAction(action);
    }
}

std::vector<CleFiche> Exportations::parTitre(std::vector<CleFiche> cles) const
{
    const std::vector<int> &lignes = m_dm.modele().lignesParTitre();
    std::vector<int> rang(lignes.size());
    for (size_t i = 0; i < lignes.size(); ++i)
        rang[size_t(lignes[i])] = int(i);
    // Each card's place found once, not at every comparison.
    std::vector<std::pair<int, CleFiche>> places;
    places.reserve(cles.size());
    for (const CleFiche cle : cles)
        places.emplace_back(rang[size_t(m_dm.indexDe(cle))], cle);
    std::sort(places.begin(), places.end());
    for (size_t i = 0; i < places.size(); ++i)
        cles[i] = places[i].second;
    return cles;
}

Exportations::Copie Exportations::copier(const std::vector<CleFiche> &cles,
                                         bool avecCouvertures) const
{
    Copie copie;
    copie.fiches.reserve(cles.size());
    for (const CleFiche cle : cles) {
        const TFicheFilm *fiche = m_dm.fiche(cle);
        if (!fiche)
            continue;
        copie.fiches.push_back(*fiche);
        if (avecCouvertures)
            copie.couvertures.push_back(m_dm.cheminInterieur(fiche->cheminImage()));
    }
    return copie;
}

QString Exportations::fichierAEnregistrer(const QString &titre, const QString &filtre,
                                          const QString &nom, const QString &extension)
{
    QString dossier = m_dernierFichier.isEmpty() ? m_dm.chemin(u"exports"_s)
                                                 : QFileInfo(m_dernierFichier).absolutePath();
    QDir().mkpath(dossier);
    QString fichier = m_dialogues.enregistrerFichier(titre, filtre, QDir(dossier).filePath(nom));
    if (fichier.isEmpty())
        return {};
    if (!extension.isEmpty() && !fichier.endsWith(extension, Qt::CaseInsensitive))
        fichier += extension;
    m_dernierFichier = fichier;
    return fichier;
}

void Exportations::termine(const QString &texte)
{
    m_dialogues.message(k_titre, texte);
}

void Exportations::exporterCsvExecute()
{
    const Portee portee = m_portee();
    const QString fichier = fichierAEnregistrer(u"Exporter en CSV"_s, u"Fichiers CSV|*.csv"_s,
                                                u"catalogue.csv"_s, u".csv"_s);
    if (fichier.isEmpty())
        return;
    const Copie copie = copier(portee.cles, false);
    const bool fini = executerTache(m_fenetre, u"Exportation en CSV…"_s, [&](Progression &p) {
        FichierEntier::ecrire(fichier, Csv::ecrire(copie.fiches, portee.colonnes, &p));
    });
    if (fini)
        termine(u"%1 films exportés dans %2."_s.arg(nombre(qsizetype(copie.fiches.size())),
                                                    QDir::toNativeSeparators(fichier)));
}

void Exportations::importerCsvExecute()
{
    const QString fichier = m_dialogues.ouvrirFichier(
        u"Importer un CSV"_s, u"Fichiers CSV|*.csv;*.txt|Tous les fichiers|*"_s,
        m_dernierFichier.isEmpty() ? m_dm.chemin(u"exports"_s) : m_dernierFichier);
    if (fichier.isEmpty())
        return;
    const QString nom = QFileInfo(fichier).fileName();
    QFile entree(fichier);
    if (!entree.open(QIODevice::ReadOnly))
        throw Erreur(u"Impossible de lire le fichier %1 : %2"_s.arg(
            QDir::toNativeSeparators(fichier), entree.errorString()));
    if (entree.size() > Csv::k_tailleMaximale)
        throw Erreur(u"Le fichier %1 dépasse 256 Mo."_s.arg(nom));
    const QByteArray octets = entree.readAll();
    QSet<QString> presents;
    presents.reserve(qsizetype(m_dm.fichesFilms().size()));
    for (const auto &fiche : m_dm.fichesFilms())
        presents.insert(fiche->idFilm());

    Csv::Import import;
    const auto present = [&presents](const QString &id) {
        return presents.contains(id);
    };
    const auto lire = [&](Progression &p) {
        import = Csv::fiches(Csv::lire(octets, nom), nom, present, &p);
    };
    if (!executerTache(m_fenetre, u"Lecture de %1…"_s.arg(nom), lire))
        return;
    QStringList notes;
    if (!import.dejaPresents.isEmpty())
        notes.append(u"%1 identifiant(s) déjà dans le catalogue, ignoré(s)."_s.arg(
            nombre(import.dejaPresents.size())));
    if (!import.colonnesIgnorees.isEmpty())
        notes.append(u"Colonnes ignorées : %1."_s.arg(import.colonnesIgnorees.join(u", "_s)));
    if (!confirmerImport(u"Importer un CSV"_s, nom, import.fiches, notes))
        return;
    m_dm.adopterFiches(std::move(import.fiches));
    if (m_suivreCatalogue)
        m_suivreCatalogue();
}

bool Exportations::confirmerImport(const QString &titre, const QString &nom,
                                   const Catalogue &fiches, QStringList notes)
{
    if (fiches.empty()) {
        notes.prepend(u"Aucune fiche à ajouter depuis %1."_s.arg(nom));
        m_dialogues.message(titre, notes.join(u'\n'));
        return false;
    }
    QStringList titres;
    for (const auto &fiche : fiches) {
        const QString annee = fiche->annee() == u"-"_s ? QString() : u" (%1)"_s.arg(fiche->annee());
        titres.append(u"• "_s + fiche->titreFrancais() + annee);
    }
    const QString texte =
        u"%1 fiche(s) à ajouter depuis %2 :\n%3\n\n%4%5Ajouter ces fiches ?"_s.arg(
            nombre(qsizetype(fiches.size())), nom, extrait(titres), notes.join(u'\n'),
            notes.isEmpty() ? QString() : u"\n\n"_s);
    return m_dialogues.question(titre, texte, false) == Dialogues::Reponse::Oui;
}

namespace {

QString lignesEcarts(const QList<AutresCatalogues::Ecart> &ecarts)
{
    QStringList lignes;
    for (const auto &ecart : ecarts)
        lignes.append(u"• %1 : %2"_s.arg(ecart.entree, ecart.raison));
    return extrait(lignes);
}

} // namespace

void Exportations::importerAutreCatalogueExecute()
{
    const QString titre = u"Importer d'un autre catalogue"_s;
    const QString fichier = m_dialogues.ouvrirFichier(
        titre,
        u"Catalogues (Tellico, GCstar, Ant Movie Catalog, Kodi)|*.tc;*.gcs;*.xml|"
        "Tous les fichiers|*"_s,
        m_dernierFichier);
    if (fichier.isEmpty())
        return;
    const QString nom = QFileInfo(fichier).fileName();
    // The file is read off the GUI thread, against a copy of the catalogue's cards.
    QHash<QString, TFicheFilm> presentes;
    presentes.reserve(qsizetype(m_dm.fichesFilms().size()));
    for (const auto &fiche : m_dm.fichesFilms())
        presentes.insert(fiche->idFilm(), *fiche);
    const AutresCatalogues::TrouverFiche trouver =
        [&presentes](const QString &id) -> const TFicheFilm * {
        const auto trouvee = presentes.constFind(id);
        return trouvee == presentes.cend() ? nullptr : &*trouvee;
    };
    AutresCatalogues::Import import;
    const auto lire = [&](Progression &p) {
        import = AutresCatalogues::importer(fichier, trouver, &p);
    };
    if (!executerTache(m_fenetre, u"Lecture de %1…"_s.arg(nom), lire))
        return;

    QStringList notes{u"Format : %1."_s.arg(AutresCatalogues::nomFormat(import.format))};
    if (!import.dejaPresents.isEmpty())
        notes.append(u"Déjà dans le catalogue, ignoré(s) : %1."_s.arg(
            extrait(import.dejaPresents).replace(u'\n', u", "_s)));
    if (!import.repetes.isEmpty())
        notes.append(u"Répété(s) dans le fichier, ignoré(s) : %1."_s.arg(
            extrait(import.repetes).replace(u'\n', u", "_s)));
    if (!import.illisibles.isEmpty())
        notes.append(u"Non lu(s) :\n"_s + lignesEcarts(import.illisibles));
    if (!import.remarques.isEmpty())
        notes.append(u"Sans couverture :\n"_s + lignesEcarts(import.remarques));
    if (!confirmerImport(titre, nom, import.fiches, notes))
        return;

    // The covers written and the cards added are one step: undone together.
    Tdm_Kinolux::Etape etape(m_dm, u"l'importation de « %1 »"_s.arg(nom));
    for (size_t i = 0; i < import.fiches.size(); ++i) {
        if (import.couvertures[i].source != AutresCatalogues::Couverture::Source::Aucune)
            m_dm.conserverCouverture(import.fiches[i]->cheminImage());
    }
    AutresCatalogues::CopieCouvertures copie;
    const auto copier = [&](Progression &p) {
        copie = AutresCatalogues::copierCouvertures(import, m_dm.repertoire(), &p);
    };
    executerTache(m_fenetre, u"Copie des couvertures…"_s, copier);
    const auto ajoutees = qsizetype(import.fiches.size());
    m_dm.adopterFiches(std::move(import.fiches));
    if (m_suivreCatalogue)
        m_suivreCatalogue();
    if (!copie.echecs.isEmpty())
        m_dialogues.message(titre, u"%1 fiche(s) ajoutée(s) ; couvertures non copiées :\n%2"_s.arg(
                                       nombre(ajoutees), lignesEcarts(copie.echecs)));
}

void Exportations::exporterHtmlExecute()
{
    const Portee portee = m_portee();
    const QString dossier = fichierAEnregistrer(u"Exporter un catalogue HTML"_s, u"Dossier|*"_s,
                                                u"catalogue-html"_s, QString());
    if (dossier.isEmpty())
        return;
    if (!CatalogueHtml::remplacable(dossier))
        throw Erreur(u"%1 existe déjà et n'est pas un catalogue HTML : choisissez un autre "
                     "nom."_s.arg(QDir::toNativeSeparators(dossier)));
    const Copie copie = copier(parTitre(portee.cles), true);
    const CatalogueHtml::Entree entree{&copie.fiches, &copie.couvertures,
                                       &Vignettes::vignetteBureau};
    const bool fini = executerTache(m_fenetre, u"Catalogue HTML…"_s, [&](Progression &p) {
        CatalogueHtml::exporter(entree, dossier, p);
    });
    if (fini)
        termine(u"Catalogue de %1 films écrit dans %2 (ouvrir index.html)."_s.arg(
            nombre(qsizetype(copie.fiches.size())), QDir::toNativeSeparators(dossier)));
}

void Exportations::exporterPdf(Impression::Mise mise)
{
    const Portee portee = m_portee();
    const QString fichier = fichierAEnregistrer(
        u"Exporter en PDF"_s, u"Fichiers PDF|*.pdf"_s,
        mise == Impression::Mise::Liste ? u"catalogue.pdf"_s : u"fiches.pdf"_s, u".pdf"_s);
    if (fichier.isEmpty())
        return;
    const Copie copie = copier(portee.cles, mise == Impression::Mise::Fiches);
    const Impression::Entree entree{mise, &copie.fiches, &copie.couvertures};
    const bool fini = executerTache(m_fenetre, u"Exportation en PDF…"_s, [&](Progression &p) {
        Impression::exporterPdf(entree, fichier, p);
    });
    if (fini)
        termine(u"%1 films exportés dans %2."_s.arg(nombre(qsizetype(copie.fiches.size())),
                                                    QDir::toNativeSeparators(fichier)));
}

void Exportations::imprimer(Impression::Mise mise)
{
    const Portee portee = m_portee();
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(u"Catalogue Kinolux"_s);
    QPrintDialog dialogue(&imprimante, m_fenetre);
    dialogue.setObjectName(u"dialogueImpression"_s);
    if (dialogue.exec() != QDialog::Accepted)
        return;
    const Copie copie = copier(portee.cles, mise == Impression::Mise::Fiches);
    const Impression::Entree entree{mise, &copie.fiches, &copie.couvertures};
    executerTache(m_fenetre, u"Impression…"_s,
                  [&](Progression &p) { Impression::imprimer(entree, imprimante, p); });
}

void Exportations::exporterPdfListeExecute()
{
    exporterPdf(Impression::Mise::Liste);
}

void Exportations::exporterPdfFichesExecute()
{
    exporterPdf(Impression::Mise::Fiches);
}

void Exportations::imprimerListeExecute()
{
    imprimer(Impression::Mise::Liste);
}

void Exportations::imprimerFichesExecute()
{
    imprimer(Impression::Mise::Fiches);
}

void Exportations::exporterNfoExecute()
{
    const Portee portee = m_portee();
    const Copie copie = copier(portee.cles, false);
    std::vector<QString> videos;
    videos.reserve(copie.fiches.size());
    for (const TFicheFilm &fiche : copie.fiches) {
        videos.push_back(AnalyseDossier::cheminVideo(fiche.cheminFichier(), m_dm.repertoire()));
    }
    int existants = 0;
    if (!executerTache(m_fenetre, u"Recherche des fichiers .nfo…"_s,
                       [&](Progression &) { existants = Nfo::existants(videos); }))
        return;
    bool remplacer = false;
    if (existants > 0) {
        const auto reponse = m_dialogues.question(
            u"Fichiers NFO"_s,
            u"%1 fichier(s) .nfo existe(nt) déjà à côté des vidéos. Les remplacer ?"_s.arg(
                nombre(existants)),
            true);
        if (reponse == Dialogues::Reponse::Annuler)
            return;
        remplacer = reponse == Dialogues::Reponse::Oui;
    }
    Nfo::Bilan bilan;
    executerTache(m_fenetre, u"Écriture des fichiers .nfo…"_s,
                  [&](Progression &p) { bilan = Nfo::ecrire(copie.fiches, videos, remplacer, p); });
    QStringList omis;
    for (const Nfo::Omission &omission : bilan.omis)
        omis.append(u"• %1 : %2"_s.arg(omission.titre, omission.raison));
    QString texte = u"%1 fichier(s) .nfo écrit(s)"_s.arg(nombre(bilan.ecrits.size()));
    if (bilan.arrete)
        texte += u" avant l'arrêt"_s;
    texte += omis.isEmpty() ? u"."_s
                            : u", %1 film(s) omis :\n%2"_s.arg(nombre(omis.size()), extrait(omis));
    termine(texte);
}
