#pragma once

#include "catalogue/TFicheFilm.h"

#include <QAbstractTableModel>
#include <QCollator>

#include <vector>

class Tdm_Kinolux;

// The catalogue as an item model: one row a card in the catalogue's order, one column a field of
// the field table (lists joined by ", "). It follows the data module's announcements, so every
// view that reads it sees each change at once.
//
// It also keeps the cards in the film list's order, by French title with the French collation
// and ignoring letter case, equal titles in catalogue order; each title's collation key is made
// once, when the title is new.
class ModeleCatalogue final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role
    {
        RoleIdFilm = Qt::UserRole,
        RoleCle
    };

    explicit ModeleCatalogue(const Tdm_Kinolux &dm, QObject *parent = nullptr);
    ~ModeleCatalogue() override;

    // Without the base class's checks through rowCount and columnCount: sorting the overview
    // asks for two indexes at each of its half a million comparisons.
    QModelIndex index(int ligne, int colonne, const QModelIndex &parent = {}) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const Catalogue &fichesFilms() const;
    const TFicheFilm &fiche(int ligne) const;
    CleFiche cle(int ligne) const;
    // The row of a card's number; -1 when no card has it.
    int ligne(CleFiche cle) const;

    // The rows in the film list's order.
    const std::vector<int> &lignesParTitre() const;
    // The first of them whose French title equals `titre` ignoring letter case; -1 when none.
    int ligneDuTitre(const QString &titre) const;
    // Changes whenever that order changes through the data module (a title written straight into
    // a card is seen at the next lignesParTitre); what was read of the order stands while it
    // does not.
    quint64 versionOrdre() const;

private:
    // A title's collation key, with the title it was made from: the title's characters are held
    // too, so the same characters at the same place mean the same title.
    struct CleTri
    {
        QString titre;
        QCollatorSortKey cle;
    };

    void commencerReinitialisation();
    void reinitialiser();
    void ajouter(CleFiche cle);
    void modifier(CleFiche cle);
    void commencerSuppression(CleFiche cle, qsizetype index);
    void supprimer(CleFiche cle, qsizetype index);

    CleTri cleTri(const QString &titre) const;
    bool avant(int a, int b) const;
    // Puts the row at its place in m_ordre.
    void placer(int ligne);
    // Cards retitled without a word (tests that write a card directly): their keys are made again.
    void verifierTitres() const;

    const Tdm_Kinolux &m_dm;
    int m_lignes = 0;
    // Between an announcement of a change to come and the announcement that it is done.
    bool m_reinitialisation = false;
    qsizetype m_suppression = -1;
    QCollator m_collation;
    mutable std::vector<CleTri> m_clesTri;
    mutable std::vector<int> m_ordre;
    mutable quint64 m_versionOrdre = 1;
};
