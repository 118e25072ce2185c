#include "echanges/CatalogueHtml.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/DocumentXml.h"
#include "catalogue/Erreur.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QThread>
#include <QThreadPool>
#include <QUrl>

#include <libexslt/exslt.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <string>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace CatalogueHtml {

namespace {

using ChampsFiche::Genre;

// The height of the covers written into the folder: the large thumbnails of the desktop.
constexpr int k_hauteurVignette = 256;
// The film pages are made by parts of this many cards, two parts at a time.
constexpr size_t k_fichesParPartie = 1000;
// What an export writes at the top of its folder: an existing folder holding anything else is
// not one, and is never replaced.
const QStringList k_contenuExport = {u"index.html"_s, u"catalogue.css"_s, u"fiches"_s,
                                     u"couvertures"_s};
// The background the transparent parts of a cover are laid on: the pages' cream.
const QColor k_fond(0xff, 0xfb, 0xf0);

QString natif(const QString &chemin)
{
    return QDir::toNativeSeparators(chemin);
}

// The names of a card's files come from its place in the index, never from its identifier
// (identifiers may repeat and hold any character): "fiches/00042.html", "couvertures/00042.jpg",
// and "f00042" for its row of the index.
struct Nom
{
    char texte[40];
    operator const char *() const { return texte; }
};

Nom nomPage(size_t rang)
{
    Nom nom;
    std::snprintf(nom.texte, sizeof nom.texte, "fiches/%05zu.html", rang + 1);
    return nom;
}

Nom nomCouverture(size_t rang)
{
    Nom nom;
    std::snprintf(nom.texte, sizeof nom.texte, "couvertures/%05zu.jpg", rang + 1);
    return nom;
}

Nom ancre(size_t rang)
{
    Nom nom;
    std::snprintf(nom.texte, sizeof nom.texte, "f%05zu", rang + 1);
    return nom;
}

// The index letter of a title: its first letter without accent, in capitals; "#" for a digit
// and anything else.
char lettreIndex(const QString &titre)
{
    for (const QChar c : titre) {
        if (c.isSpace())
            continue;
        const QString decompose = QString(c).normalized(QString::NormalizationForm_D);
        char16_t base = decompose.isEmpty() ? c.unicode() : decompose.at(0).unicode();
        if (base >= u'a' && base <= u'z')
            base = char16_t(base - u'a' + u'A');
        if (base >= u'A' && base <= u'Z')
            return char(base);
        // The letters that Unicode does not decompose.
        switch (base) {
        case u'Æ':
        case u'æ':
            return 'A';
        case u'Œ':
        case u'œ':
        case u'Ø':
        case u'ø':
            return 'O';
        case u'ß':
            return 'S';
        case u'Đ':
        case u'đ':
            return 'D';
        case u'Ł':
        case u'ł':
            return 'L';
        default:
            return '#';
        }
    }
    return '#';
}

// ---- The XML handed to the stylesheet

// The fields of a card that the index shows: a document for the index alone holds only these.
bool champIndex(ChampsFiche::Champ c)
{
    using namespace ChampsFiche;
    return c == TitreFrancais || c == Annee || c == Genres || c == Realisateurs ||
           c == NiveauPreference;
}

// ---- libxml2 and libxslt

struct LibererDocument
{
    void operator()(xmlDocPtr document) const { xmlFreeDoc(document); }
};
struct LibererFeuille
{
    void operator()(xsltStylesheetPtr feuille) const { xsltFreeStylesheet(feuille); }
};
struct LibererContexte
{
    void operator()(xsltTransformContextPtr contexte) const { xsltFreeTransformContext(contexte); }
};
struct LibererPreferences
{
    void operator()(xsltSecurityPrefsPtr preferences) const { xsltFreeSecurityPrefs(preferences); }
};
using Document = std::unique_ptr<xmlDoc, LibererDocument>;
using Feuille = std::unique_ptr<xsltStylesheet, LibererFeuille>;
using Contexte = std::unique_ptr<xsltTransformContext, LibererContexte>;
using Preferences = std::unique_ptr<xsltSecurityPrefs, LibererPreferences>;

const xmlChar *x(const char *texte)
{
    return reinterpret_cast<const xmlChar *>(texte);
}

void initialiser();

enum class Contenu
{
    Complet,   // every field: the film pages
    PourIndex, // the fields of the index
};

// The cards [debut, fin) of the entry, each with the names of its page, its cover (when
// `couvertures` says it has one), its neighbours' pages, its anchor in the index and its letter.
// The tree is made for libxslt at once: writing it out and parsing it again would cost a quarter
// of the transform.
Document ecrireDocument(const Entree &entree, const std::vector<char> &couvertures, size_t debut,
                        size_t fin, Contenu contenu)
{
    initialiser();
    const std::vector<TFicheFilm> &fiches = *entree.fiches;
    Document document(xmlNewDoc(x("1.0")));
    if (!document)
        throw std::bad_alloc();
    xmlDocPtr d = document.get();
    d->dict = xmlDictCreate(); // element names are shared, as the parser shares them
    d->encoding = xmlStrdup(x("UTF-8"));

    std::string tampon;
    const auto element = [d](xmlNodePtr parent, const char *nom) {
        xmlNodePtr enfant = xmlNewDocNode(d, nullptr, x(nom), nullptr);
        if (!enfant)
            throw std::bad_alloc();
        return parent ? xmlAddChild(parent, enfant) : enfant;
    };
    const auto texte = [d, &tampon](xmlNodePtr parent, const QString &valeur) {
        tampon.clear();
        DocumentXml::versUtf8Xml(valeur, tampon);
        if (!tampon.empty())
            xmlAddChild(parent, xmlNewDocTextLen(d, x(tampon.data()), int(tampon.size())));
    };
    const auto attribut = [](xmlNodePtr noeud, const char *nom, const char *valeur) {
        xmlNewProp(noeud, x(nom), x(valeur));
    };

    xmlNodePtr racine = element(nullptr, "catalogueHtml");
    xmlDocSetRootElement(d, racine);
    const auto &champs = ChampsFiche::champs();
    xmlNodePtr libelles = element(racine, "libelles");
    for (int i = 0; i < ChampsFiche::NombreChamps; ++i) {
        xmlNodePtr libelle = element(libelles, "libelle");
        attribut(libelle, "champ", champs[size_t(i)].element);
        texte(libelle, ChampsFiche::libelle(static_cast<ChampsFiche::Champ>(i)));
    }

    xmlNodePtr liste = element(racine, "listeFichesFilms");
    for (size_t rang = debut; rang < fin; ++rang) {
        const TFicheFilm &fiche = fiches[rang];
        xmlNodePtr noeud = element(liste, "ficheFilm");
        attribut(noeud, "page", nomPage(rang));
        attribut(noeud, "couverture", couvertures[rang] ? nomCouverture(rang) : Nom{});
        const char lettre[2] = {lettreIndex(fiche.titreFrancais()), '\0'};
        attribut(noeud, "lettre", lettre);
        attribut(noeud, "ancre", ancre(rang));
        if (contenu == Contenu::Complet) {
            attribut(noeud, "precedente", rang > 0 ? nomPage(rang - 1) : Nom{});
            attribut(noeud, "suivante", rang + 1 < fiches.size() ? nomPage(rang + 1) : Nom{});
        }
        // The card as the catalogue file holds it (Tdm_Kinolux::ecrireBaseFilms).
        for (int i = 0; i < ChampsFiche::NombreChamps; ++i) {
            const auto c = static_cast<ChampsFiche::Champ>(i);
            if (contenu == Contenu::PourIndex && !champIndex(c))
                continue;
            const ChampsFiche::Description &desc = champs[size_t(i)];
            xmlNodePtr champ = element(noeud, desc.element);
            switch (desc.genre) {
            case Genre::Texte:
                texte(champ, (fiche.*desc.texte)());
                break;
            case Genre::Liste:
                for (const QString &occurence : (fiche.*desc.liste)())
                    texte(element(champ, "occurence"), occurence);
                break;
            case Genre::Entier:
                texte(champ, QString::number((fiche.*desc.entier)()));
                break;
            }
        }
    }
    return document;
}

// The messages of libxml2 and libxslt during one piece of work, on one thread.
struct Journal
{
    std::string texte;
    std::string systeme; // the first failure of the system (a file that cannot be written)
};
thread_local Journal *t_journal = nullptr;

[[gnu::format(printf, 2, 3)]] void noterErreur(void *journal, const char *format, ...)
{
    auto *cible = journal ? static_cast<Journal *>(journal) : t_journal;
    if (!cible)
        return;
    char ligne[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(ligne, sizeof ligne, format, arguments);
    va_end(arguments);
    cible->texte += ligne;
}

void noterErreurStructuree(void *, xmlErrorPtr erreur)
{
    if (!t_journal || !erreur || !erreur->message)
        return;
    std::string message = erreur->message;
    while (!message.empty() && message.back() == '\n')
        message.pop_back();
    if (erreur->domain == XML_FROM_IO && t_journal->systeme.empty())
        t_journal->systeme = message;
    if (erreur->file)
        t_journal->texte += std::string(erreur->file) + ':' + std::to_string(erreur->line) + ": ";
    t_journal->texte += message + '\n';
}

class JournalDuFil final
{
public:
    JournalDuFil()
        : m_precedent(t_journal)
        , m_erreur(xmlGenericError)
        , m_contexteErreur(xmlGenericErrorContext)
        , m_structuree(xmlStructuredError)
        , m_contexteStructuree(xmlStructuredErrorContext)
    {
        t_journal = &journal;
        xmlSetGenericErrorFunc(nullptr, noterErreur);
        xmlSetStructuredErrorFunc(nullptr, noterErreurStructuree);
    }
    ~JournalDuFil()
    {
        xmlSetGenericErrorFunc(m_contexteErreur, m_erreur);
        xmlSetStructuredErrorFunc(m_contexteStructuree, m_structuree);
        t_journal = m_precedent;
    }
    JournalDuFil(const JournalDuFil &) = delete;
    JournalDuFil &operator=(const JournalDuFil &) = delete;

    // What went wrong: the system's reason when there is one, else every message in one line.
    QString texte() const
    {
        if (!journal.systeme.empty())
            return QString::fromUtf8(journal.systeme);
        return QString::fromUtf8(journal.texte).trimmed().replace(u'\n', u"; "_s);
    }

    Journal journal;

private:
    Journal *m_precedent;
    xmlGenericErrorFunc m_erreur;
    void *m_contexteErreur;
    xmlStructuredErrorFunc m_structuree;
    void *m_contexteStructuree;
};

const QByteArray &octetsFeuille()
{
    static const QByteArray octets = [] {
        QFile ressource(u":/echanges/catalogueHtml.xsl"_s);
        return ressource.open(QIODevice::ReadOnly) ? ressource.readAll() : QByteArray();
    }();
    return octets;
}

constexpr int k_optionsLecture = XML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_COMPACT;

Feuille compilerFeuille(JournalDuFil &journal)
{
    const QByteArray &octets = octetsFeuille();
    Document source(xmlReadMemory(octets.constData(), int(octets.size()), "catalogueHtml.xsl",
                                  nullptr, k_optionsLecture));
    Feuille feuille(source ? xsltParseStylesheetDoc(source.get()) : nullptr);
    if (!feuille)
        throw Erreur(
            u"La feuille de style du catalogue HTML est illisible : %1"_s.arg(journal.texte()));
    source.release(); // the stylesheet owns it now
    return feuille;
}

// libxml2 sets itself up on first use, which two threads must not do at once (they then wait
// for each other forever in xmlDictCreate): done once, before any other work. libxslt's generic
// error function is one for the whole process: it is set once, to a function that writes to the
// journal of the thread that reports (nowhere when it has none). libxml2's handlers are the
// thread's own and are set for each piece of work. libxslt, too, makes a table of its own on the
// first stylesheet that names an extension namespace, and two threads would each make one, one of
// them lost: the stylesheet is compiled once here first.
void initialiser()
{
    static std::once_flag fait;
    std::call_once(fait, [] {
        xmlInitParser();
        exsltRegisterAll();
        xsltSetGenericErrorFunc(nullptr, noterErreur);
        JournalDuFil journal;
        try {
            compilerFeuille(journal);
        } catch (const Erreur &) {
            // said again by the export that needs it
        }
    });
}

// What one transform writes, and where.
struct Ecriture
{
    QByteArray dossier; // the temporary folder, with a final '/'
    QString destination;
    Progression *progression = nullptr;
    QByteArray dernierFichier;
    bool annulee = false;
};

// Every file that a film page or the style sheet goes to: inside the folder being built, and
// counted; the first write once the user stopped the work stops the transform.
int ecritureFichier(xsltSecurityPrefsPtr, xsltTransformContextPtr contexte, const char *valeur)
{
    auto *ecriture = static_cast<Ecriture *>(contexte->_private);
    QByteArray chemin(valeur);
    if (chemin.startsWith("file://"))
        chemin = QUrl::fromEncoded(chemin).toLocalFile().toUtf8();
    ecriture->dernierFichier = chemin;
    if (!chemin.startsWith(ecriture->dossier) || chemin.contains("/../"))
        return 0;
    // Each transform first asks for its own result, which the program writes itself.
    if (chemin.size() == ecriture->dossier.size() + 10 && chemin.endsWith("/index.html"))
        return 1;
    try {
        ecriture->progression->avancer();
    } catch (const Progression::Annulation &) {
        ecriture->annulee = true;
        contexte->state = XSLT_STATE_STOPPED;
        return 0;
    }
    return 1;
}

// The name that the user knows for a file of the folder being built.
QString nomFinal(const Ecriture &ecriture, const QByteArray &chemin)
{
    if (!chemin.startsWith(ecriture.dossier))
        return natif(QString::fromUtf8(chemin));
    return natif(ecriture.destination + u'/' +
                 QString::fromUtf8(chemin.mid(ecriture.dossier.size())));
}

// Runs the stylesheet over a document (the index, or a part's film pages, as `parametres` say)
// and gives its own result: index.html, or nothing worth keeping for a part.
QByteArray transformer(Document document, const char *parametres[], Ecriture &ecriture)
{
    initialiser();
    JournalDuFil journal;
    Feuille feuille = compilerFeuille(journal);
    Preferences preferences(xsltNewSecurityPrefs());
    Contexte contexte(xsltNewTransformContext(feuille.get(), document.get()));
    if (!contexte || !preferences)
        throw std::bad_alloc();
    xsltSetSecurityPrefs(preferences.get(), XSLT_SECPREF_READ_FILE, xsltSecurityForbid);
    xsltSetSecurityPrefs(preferences.get(), XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
    xsltSetSecurityPrefs(preferences.get(), XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
    xsltSetSecurityPrefs(preferences.get(), XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
    xsltSetSecurityPrefs(preferences.get(), XSLT_SECPREF_WRITE_FILE, ecritureFichier);
    xsltSetCtxtSecurityPrefs(preferences.get(), contexte.get());
    xsltSetTransformErrorFunc(contexte.get(), &journal.journal, noterErreur);
    contexte->_private = &ecriture;

    // The pages are named relative to the result, as xsltproc -o names them.
    const QByteArray sortie =
        QUrl::fromLocalFile(QString::fromUtf8(ecriture.dossier) + u"index.html"_s).toEncoded();
    Document resultat(xsltApplyStylesheetUser(feuille.get(), document.get(), parametres,
                                              sortie.constData(), nullptr, contexte.get()));
    if (ecriture.annulee)
        throw Progression::Annulation{};
    if (!resultat || contexte->state != XSLT_STATE_OK) {
        const QString raison = journal.texte();
        if (!ecriture.dernierFichier.isEmpty())
            throw Erreur(u"Impossible d'écrire le fichier « %1 » : %2"_s.arg(
                nomFinal(ecriture, ecriture.dernierFichier), raison));
        throw Erreur(u"Impossible d'écrire le catalogue HTML « %1 » : %2"_s.arg(
            natif(ecriture.destination), raison));
    }

    xmlChar *texte = nullptr;
    int taille = 0;
    if (xsltSaveResultToString(&texte, &taille, resultat.get(), feuille.get()) != 0)
        throw std::bad_alloc();
    QByteArray octets(reinterpret_cast<const char *>(texte), taille);
    xmlFree(texte);
    return octets;
}

// ---- Files and folders

QString raisonSysteme(int erreur)
{
    return QString::fromLocal8Bit(std::strerror(erreur));
}

void ecrireFichier(const QString &chemin, const QByteArray &octets, const QString &nomAffiche)
{
    QFile fichier(chemin);
    bool ecrit = fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    // A full disk first takes part of a write, then refuses the rest with its reason.
    for (qint64 fait = 0; ecrit && fait < octets.size();) {
        const qint64 n = fichier.write(octets.constData() + fait, octets.size() - fait);
        ecrit = n > 0;
        fait += std::max<qint64>(n, 0);
    }
    if (ecrit) {
        fichier.close();
        ecrit = fichier.error() == QFileDevice::NoError;
    }
    if (!ecrit)
        throw Erreur(u"Impossible d'écrire le fichier « %1 » : %2"_s.arg(natif(nomAffiche),
                                                                         fichier.errorString()));
}

void creerDossier(const QString &chemin, const QString &nomAffiche)
{
    if (::mkdir(QFile::encodeName(chemin).constData(), 0777) != 0)
        throw Erreur(u"Impossible d'écrire le dossier « %1 » : %2"_s.arg(natif(nomAffiche),
                                                                         raisonSysteme(errno)));
}

// A folder beside the destination that is removed with all it holds unless it is kept.
class DossierTemporaire final
{
public:
    DossierTemporaire(const QString &parent, const QString &prefixe, const QString &destination)
    {
        for (int essai = 0;; ++essai) {
            m_chemin = parent + u"/."_s + prefixe + u'-' +
                       QString::number(QRandomGenerator::global()->generate(), 36);
            if (::mkdir(QFile::encodeName(m_chemin).constData(), 0777) == 0)
                return;
            if (errno != EEXIST || essai == 100)
                throw Erreur(u"Impossible d'écrire le dossier « %1 » : %2"_s.arg(
                    natif(destination), raisonSysteme(errno)));
        }
    }
    ~DossierTemporaire()
    {
        if (!m_chemin.isEmpty())
            QDir(m_chemin).removeRecursively();
    }
    DossierTemporaire(const DossierTemporaire &) = delete;
    DossierTemporaire &operator=(const DossierTemporaire &) = delete;

    const QString &chemin() const { return m_chemin; }
    void garder() { m_chemin.clear(); }

private:
    QString m_chemin;
};

// Puts the new folder in the place of `dossier`: a folder already there goes aside first, and
// back if the new one cannot take its place; once the new one is in, it is removed.
void remplacer(DossierTemporaire &nouveau, const QString &dossier, const QString &parent,
               const QString &nom)
{
    const QByteArray cible = QFile::encodeName(dossier);
    if (!QFileInfo::exists(dossier)) {
        if (std::rename(QFile::encodeName(nouveau.chemin()).constData(), cible.constData()) != 0)
            throw Erreur(u"Impossible d'écrire le dossier « %1 » : %2"_s.arg(natif(dossier),
                                                                             raisonSysteme(errno)));
        nouveau.garder();
        return;
    }
    DossierTemporaire ancien(parent, nom + u".ancien"_s, dossier);
    // rename() moves a folder only onto an empty one: the one just made.
    if (std::rename(cible.constData(), QFile::encodeName(ancien.chemin()).constData()) != 0)
        throw Erreur(u"Impossible de remplacer le dossier « %1 » : %2"_s.arg(natif(dossier),
                                                                             raisonSysteme(errno)));
    if (std::rename(QFile::encodeName(nouveau.chemin()).constData(), cible.constData()) != 0) {
        const int erreur = errno;
        std::rename(QFile::encodeName(ancien.chemin()).constData(), cible.constData());
        ancien.garder();
        throw Erreur(u"Impossible de remplacer le dossier « %1 » : %2"_s.arg(
            natif(dossier), raisonSysteme(erreur)));
    }
    nouveau.garder();
}

// ---- Work on both cores

// Runs tache(0) to tache(nombre - 1) on a pool of the machine's cores. The first exception
// stops the tasks not yet begun and is raised again here once the others have ended.
template <typename F> void enParallele(size_t nombre, F tache)
{
    if (nombre == 0)
        return;
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
    std::atomic<size_t> suivante{0};
    std::atomic<bool> arret{false};
    std::exception_ptr premiere;
    std::mutex verrou;
    const int fils = int(std::min<size_t>(nombre, size_t(pool.maxThreadCount())));
    for (int f = 0; f < fils; ++f) {
        pool.start([&] {
            for (size_t i = suivante++; i < nombre && !arret; i = suivante++) {
                try {
                    tache(i);
                } catch (...) {
                    const std::lock_guard<std::mutex> garde(verrou);
                    if (!premiere)
                        premiere = std::current_exception();
                    arret = true;
                }
            }
        });
    }
    pool.waitForDone();
    if (premiere)
        std::rethrow_exception(premiere);
}

// ---- Covers

QImage lireVignette(const QString &fichier, int hauteur)
{
    QImageReader lecteur(fichier);
    lecteur.setAutoTransform(true);
    const QSize taille = lecteur.size();
    if (taille.isValid() && taille.height() > hauteur)
        lecteur.setScaledSize(taille.scaled(QSize(taille.width(), hauteur), Qt::KeepAspectRatio));
    return lecteur.read();
}

// The JPEG bytes of a cover's thumbnail; none when the cover cannot be read.
QByteArray vignetteJpeg(const Entree &entree, const QString &fichier)
{
    QImage image = entree.vignette ? entree.vignette(fichier, k_hauteurVignette)
                                   : lireVignette(fichier, k_hauteurVignette);
    if (image.isNull())
        return {};
    if (image.height() > k_hauteurVignette)
        image = image.scaledToHeight(k_hauteurVignette, Qt::SmoothTransformation);
    if (image.hasAlphaChannel()) {
        QImage pleine(image.size(), QImage::Format_RGB32);
        pleine.fill(k_fond);
        QPainter peintre(&pleine);
        peintre.drawImage(0, 0, image);
        peintre.end();
        image = pleine;
    }
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QImageWriter ecrivain(&tampon, "jpeg");
    ecrivain.setQuality(85);
    if (!ecrivain.write(image))
        return {};
    return octets;
}

// Writes the thumbnails of the covers into `dossier`/couvertures; says for each card whether it
// has one.
std::vector<char> ecrireCouvertures(const Entree &entree, const QString &dossier,
                                    const QString &destination, Progression &progression)
{
    const size_t nombre = entree.fiches->size();
    std::vector<char> ecrites(nombre, 0);
    if (!entree.couvertures)
        return ecrites;
    std::vector<size_t> avecCouverture;
    for (size_t rang = 0; rang < nombre && rang < entree.couvertures->size(); ++rang) {
        if (!(*entree.couvertures)[rang].isEmpty())
            avecCouverture.push_back(rang);
    }
    enParallele(avecCouverture.size(), [&](size_t i) {
        const size_t rang = avecCouverture[i];
        progression.avancer();
        const QByteArray jpeg = vignetteJpeg(entree, (*entree.couvertures)[rang]);
        if (jpeg.isEmpty())
            return; // missing or not a picture: the page shows the placeholder
        const QString nom = QString::fromLatin1(nomCouverture(rang).texte);
        ecrireFichier(dossier + u'/' + nom, jpeg, destination + u'/' + nom);
        ecrites[rang] = 1;
    });
    return ecrites;
}

// An existing folder is replaced only when it holds what an export writes and nothing else: a
// folder of the user's chosen by mistake is never removed.
// The first entry of a folder that an export does not write; empty when there is none.
QString etranger(const QString &dossier)
{
    const QStringList contenu = QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot);
    for (const QString &nom : contenu)
        if (!k_contenuExport.contains(nom))
            return nom;
    return {};
}

void verifierDestination(const QString &dossier)
{
    const QFileInfo info(dossier);
    if (!info.exists() && !info.isSymLink())
        return;
    if (!info.isDir() || info.isSymLink())
        throw Erreur(
            u"Impossible d'écrire le dossier « %1 » : un fichier ou un lien porte déjà ce nom."_s
                .arg(natif(dossier)));
    if (const QString nom = etranger(dossier); !nom.isEmpty())
        throw Erreur(u"Le dossier « %1 » existe déjà et n'est pas un catalogue HTML (il "
                     "contient « %2 ») : choisissez un dossier vide ou un nouveau nom."_s.arg(
                         natif(dossier), nom));
}

} // namespace

bool remplacable(const QString &dossier)
{
    const QFileInfo info(dossier);
    if (!info.exists() && !info.isSymLink())
        return true;
    return info.isDir() && !info.isSymLink() && etranger(dossier).isEmpty();
}

QByteArray documentXml(const Entree &entree)
{
    static const std::vector<TFicheFilm> aucune;
    Entree source = entree;
    if (!source.fiches)
        source.fiches = &aucune;
    const size_t nombre = source.fiches->size();
    std::vector<char> couvertures(nombre, 0);
    if (entree.couvertures) {
        for (size_t rang = 0; rang < nombre && rang < entree.couvertures->size(); ++rang)
            couvertures[rang] = !(*entree.couvertures)[rang].isEmpty();
    }
    initialiser();
    const Document document = ecrireDocument(source, couvertures, 0, nombre, Contenu::Complet);
    xmlChar *texte = nullptr;
    int taille = 0;
    xmlDocDumpMemoryEnc(document.get(), &texte, &taille, "UTF-8");
    if (!texte)
        throw std::bad_alloc();
    QByteArray octets(reinterpret_cast<const char *>(texte), taille);
    xmlFree(texte);
    return octets;
}

QByteArray feuilleDeStyle()
{
    return octetsFeuille();
}

void exporter(const Entree &entree, const QString &dossierDemande, Progression &progression)
{
    static const std::vector<TFicheFilm> aucune;
    Entree source = entree;
    if (!source.fiches)
        source.fiches = &aucune;
    const size_t nombre = source.fiches->size();

    const QFileInfo info(dossierDemande);
    const QString dossier = QDir::cleanPath(info.absoluteFilePath());
    const QString parent = QFileInfo(dossier).absolutePath();
    const QString nom = QFileInfo(dossier).fileName();
    if (nom.isEmpty() || dossier == parent)
        throw Erreur(
            u"Impossible d'écrire le dossier « %1 » : ce n'est pas un dossier à créer."_s.arg(
                natif(dossierDemande)));
    verifierDestination(dossier);
    if (!QDir().mkpath(parent))
        throw Erreur(u"Impossible d'écrire le dossier « %1 » : le dossier « %2 » ne peut être "
                     "créé."_s.arg(natif(dossier), natif(parent)));

    // A step for each cover, each page, the style sheet, the index and the move into place.
    qint64 etapes = qint64(nombre) + 3;
    if (source.couvertures) {
        for (size_t rang = 0; rang < nombre && rang < source.couvertures->size(); ++rang)
            etapes += (*source.couvertures)[rang].isEmpty() ? 0 : 1;
    }
    progression.definirTotal(etapes);
    progression.verifier();
    initialiser(); // before the worker threads use libxml2

    DossierTemporaire temporaire(parent, nom, dossier);
    creerDossier(temporaire.chemin() + u"/fiches"_s, dossier + u"/fiches"_s);
    creerDossier(temporaire.chemin() + u"/couvertures"_s, dossier + u"/couvertures"_s);

    const std::vector<char> couvertures =
        ecrireCouvertures(source, temporaire.chemin(), dossier, progression);

    // The index on one core while the film pages are made by parts on the others: task 0 is the
    // index, the next ones the parts.
    const size_t parties = (nombre + k_fichesParPartie - 1) / k_fichesParPartie;
    const QByteArray racine = QFile::encodeName(temporaire.chemin()) + '/';
    QByteArray index;
    enParallele(parties + 1, [&](size_t tache) {
        Ecriture ecriture{racine, dossier, &progression, {}, false};
        if (tache == 0) {
            const char *parametres[] = {"index", "1", "pages", "0", nullptr};
            index = transformer(ecrireDocument(source, couvertures, 0, nombre, Contenu::PourIndex),
                                parametres, ecriture);
            return;
        }
        const size_t debut = (tache - 1) * k_fichesParPartie;
        const size_t fin = std::min(nombre, debut + k_fichesParPartie);
        const char *parametres[] = {"index", "0", "pages", "1", nullptr};
        transformer(ecrireDocument(source, couvertures, debut, fin, Contenu::Complet), parametres,
                    ecriture);
    });
    ecrireFichier(temporaire.chemin() + u"/index.html"_s, index, dossier + u"/index.html"_s);
    progression.avancer();
    // The last moment to stop: once in place, the new folder stays.
    progression.avancer();
    remplacer(temporaire, dossier, parent, nom);
}

} // namespace CatalogueHtml
