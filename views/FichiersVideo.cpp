#include "views/FichiersVideo.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/Commande.h"
#include "catalogue/Dialogues.h"
#include "catalogue/Edition.h"
#include "catalogue/Erreur.h"
#include "catalogue/ModeleCatalogue.h"
#include "catalogue/Tdm_Kinolux.h"
#include "echanges/AnalyseDossier.h"
#include "views/ActionsMenu.h"
#include "views/DialogueAnalyseDossier.h"
#include "views/DialogueFichiersIntrouvables.h"
#include "views/TacheLongue.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using AnalyseDossier::Source;

namespace {

// The cover a card of the folder gets: the poster beside the film, copied under the card's
// name, else the placeholder. Nothing is fetched from the network for a card the user's own
// files describe.
void couverture(Tdm_Kinolux &dm, TFicheFilm &fiche, const QString &affiche)
{
    const QString placeholder = u"IMAGES_FILMS\\SANSIMAGE.jpg"_s;
    fiche.setCheminImage(placeholder);
    if (affiche.isEmpty())
        return;
    QFile fichier(affiche);
    if (!fichier.open(QIODevice::ReadOnly) || fichier.size() > (64 << 20))
        return;
    const QString chemin = Edition::nouveauCheminImage(fiche.idFilm(), affiche);
    try {
        Edition::enregistrerCouverture(dm, fichier.readAll(), QString(), chemin);
        fiche.setCheminImage(chemin);
    } catch (const Erreur &) {
        // The card comes in with the placeholder rather than not at all.
    }
}

// The identifier of a card named by the user: capitals a to z, as a new card's.
QString identifiant(const QString &titre)
{
    QString id = titre.simplified();
    for (QChar &c : id) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return id;
}

} // namespace

FichiersVideo::FichiersVideo(Tdm_Kinolux &dm, Dialogues &dialogues, QWidget *fenetre,
                             std::function<void()> suivreCatalogue)
    : QObject(fenetre)
    , m_dm(dm)
    , m_dialogues(dialogues)
    , m_fenetre(fenetre)
    , m_suivreCatalogue(std::move(suivreCatalogue))
{
}

DialogueAnalyseDossier *FichiersVideo::dialogueAnalyse() const
{
    return m_analyse;
}

DialogueFichiersIntrouvables *FichiersVideo::dialogueIntrouvables() const
{
    return m_introuvables;
}

QList<QAction *> FichiersVideo::creerActions(QObject *conteneur)
{
    using F = FichiersVideo;
    return creerActionsMenu<F>(
        *this, m_dialogues, conteneur,
        {
            {u"analyserDossier"_s, u"Analyser un dossier…"_s, &F::analyserDossierExecute},
            {u"fichiersIntrouvables"_s, u"Fichiers introuvables…"_s,
             &F::fichiersIntrouvablesExecute},
        });
}

void FichiersVideo::analyserDossierExecute()
{
    const QString dossier =
        m_dialogues.choisirDossier(u"Analyser un dossier de films"_s, m_dernierDossier);
    if (dossier.isEmpty())
        return;
    m_dernierDossier = dossier;

    // The files the catalogue names already, as written and as reached through links.
    QSet<QString> connus;
    for (const auto &fiche : m_dm.fichesFilms()) {
        const QString video =
            AnalyseDossier::cheminVideo(fiche->cheminFichier(), m_dm.repertoire());
        if (video.isEmpty())
            continue;
        connus.insert(video);
        if (const QString reel = QFileInfo(video).canonicalFilePath(); !reel.isEmpty())
            connus.insert(reel);
    }
    const QStringList titres = m_dm.listeTitres();
    QList<AnalyseDossier::Proposition> propositions;
    QList<AnalyseDossier::Ecart> ecarts;
    if (!executerTache(m_fenetre, u"Analyse du dossier…"_s, [&](Progression &progression) {
            AnalyseDossier::Inventaire inventaire =
                AnalyseDossier::lister(dossier, connus, progression);
            progression.verifier();
            ecarts = std::move(inventaire.ecarts);
            const NomVideo::IndexTitres index(titres);
            AnalyseDossier::Analyse analyse =
                AnalyseDossier::proposerTout(inventaire.videos, index, progression);
            propositions = std::move(analyse.propositions);
            ecarts.append(analyse.ecarts);
        }))
        return;
    if (propositions.isEmpty() && ecarts.isEmpty()) {
        m_dialogues.message(u"Analyser un dossier"_s,
                            u"Aucun nouveau fichier vidéo dans ce dossier."_s);
        return;
    }
    if (m_analyse)
        m_analyse->deleteLater();
    m_analyse =
        new DialogueAnalyseDossier(dossier, std::move(propositions), std::move(ecarts), m_fenetre);
    // Kept until the next analysis: the import runs events while the dialog is still closing.
    connect(m_analyse, &QDialog::accepted, this,
            [this] { executerCommande(m_dialogues, [this] { importerAnalyse(); }); });
    m_analyse->open();
}

void FichiersVideo::importerAnalyse()
{
    DialogueAnalyseDossier *dialogue = m_analyse;
    if (!dialogue)
        return;
    const std::vector<DialogueAnalyseDossier::Choix> choix = dialogue->choix();
    const QList<AnalyseDossier::Proposition> propositions = dialogue->propositions();
    m_bilan = {};
    QProgressDialog progression(u"Importation des fichiers…"_s, u"Annuler"_s, 0, int(choix.size()),
                                m_fenetre);
    progression.setWindowModality(Qt::WindowModal);
    progression.setMinimumDuration(500);
    // The cards made are one step of the history.
    std::optional<Tdm_Kinolux::Etape> etape;
    etape.emplace(m_dm, u"l'importation de fichiers vidéo"_s);
    for (size_t i = 0; i < choix.size(); ++i) {
        progression.setValue(int(i));
        QApplication::processEvents();
        if (progression.wasCanceled()) {
            m_bilan.arrete = true;
            break;
        }
        const DialogueAnalyseDossier::Choix &c = choix[i];
        const AnalyseDossier::Proposition &p = propositions[c.proposition];
        std::unique_ptr<TFicheFilm> fiche;
        if (c.candidat >= 0) {
            // A title of the index comes in as the import tab brings one: card and cover from
            // the service.
            const QString titre = p.candidats[c.candidat].titre;
            if (m_dm.contientIdFilm(titre)) {
                ++m_bilan.dejaPresentes;
                continue;
            }
            fiche = m_dm.importerFiche(titre);
        } else if (p.source == Source::Nfo) {
            fiche = std::make_unique<TFicheFilm>(p.fiche);
            couverture(m_dm, *fiche, p.affiche);
        }
        if (!fiche) {
            // A new card named after the file, or the title the user typed.
            const QString titre = c.titre.isEmpty() ? p.fiche.titreFrancais() : c.titre;
            fiche = ChampsFiche::nouvelleFiche(identifiant(titre), titre);
            fiche->setTitreFrancais(titre);
            if (const QString annee = p.fiche.annee(); !annee.isEmpty())
                fiche->setAnnee(annee);
            couverture(m_dm, *fiche, QString());
        }
        AnalyseDossier::completer(*fiche, p, m_dm.repertoire());
        if (m_dm.contientIdFilm(fiche->idFilm())) {
            ++m_bilan.dejaPresentes;
            continue;
        }
        if (m_dm.ajouterFicheFilm(fiche))
            ++m_bilan.ajoutees;
    }
    progression.setValue(int(choix.size()));
    etape.reset();
    if (m_suivreCatalogue)
        m_suivreCatalogue();

    QString texte = u"%1 fiche(s) ajoutée(s)."_s.arg(m_bilan.ajoutees);
    if (m_bilan.dejaPresentes > 0)
        texte += u" %1 déjà au catalogue."_s.arg(m_bilan.dejaPresentes);
    if (m_bilan.arrete)
        texte = u"Importation arrêtée : "_s + texte;
    m_dialogues.message(u"Analyser un dossier"_s, texte);
}

void FichiersVideo::fichiersIntrouvablesExecute()
{
    std::vector<DialogueFichiersIntrouvables::Manquant> manquants;
    for (int ligne = 0; ligne < m_dm.modele().rowCount(); ++ligne) {
        const TFicheFilm &fiche = m_dm.modele().fiche(ligne);
        const QString video = AnalyseDossier::cheminVideo(fiche.cheminFichier(), m_dm.repertoire());
        if (!video.isEmpty() && !QFileInfo::exists(video))
            manquants.push_back(
                {m_dm.modele().cle(ligne), fiche.titreFrancais(), fiche.cheminFichier()});
    }
    if (manquants.empty()) {
        m_dialogues.message(u"Fichiers introuvables"_s,
                            u"Chaque fiche retrouve son fichier vidéo."_s);
        return;
    }
    if (m_introuvables)
        m_introuvables->deleteLater();
    m_introuvables = new DialogueFichiersIntrouvables(std::move(manquants), m_fenetre);
    // Kept until the next check, as the analysis dialog is.
    connect(m_introuvables, &DialogueFichiersIntrouvables::chercher, this,
            [this] { executerCommande(m_dialogues, [this] { chercherIntrouvables(); }); });
    connect(m_introuvables, &QDialog::accepted, this,
            [this] { executerCommande(m_dialogues, [this] { remplacerIntrouvables(); }); });
    m_introuvables->open();
}

void FichiersVideo::chercherIntrouvables()
{
    DialogueFichiersIntrouvables *dialogue = m_introuvables;
    if (!dialogue)
        return;
    const QString dossier =
        m_dialogues.choisirDossier(u"Chercher les fichiers dans"_s, m_dernierDossier);
    if (dossier.isEmpty())
        return;
    m_dernierDossier = dossier;
    QStringList chemins;
    for (const auto &manquant : dialogue->manquants())
        chemins.append(manquant.chemin);
    QList<QStringList> trouves;
    if (!executerTache(dialogue, u"Recherche des fichiers…"_s, [&](Progression &progression) {
            trouves = AnalyseDossier::chercherParNom(chemins, dossier, progression);
            progression.verifier();
        }))
        return;
    if (m_introuvables)
        m_introuvables->afficherTrouves(trouves);
}

void FichiersVideo::remplacerIntrouvables()
{
    DialogueFichiersIntrouvables *dialogue = m_introuvables;
    if (!dialogue)
        return;
    Tdm_Kinolux::Etape etape(m_dm);
    for (const auto &[cle, video] : dialogue->remplacements()) {
        const QString chemin = AnalyseDossier::cheminPourFiche(video, m_dm.repertoire());
        m_dm.modifierFiche(cle, [&chemin](TFicheFilm &fiche) { fiche.setCheminFichier(chemin); });
    }
    if (m_suivreCatalogue)
        m_suivreCatalogue();
}
