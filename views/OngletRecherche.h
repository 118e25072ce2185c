#pragma once

#include "views/Onglet.h"

// The search tab: cards found by several criteria at once.
class OngletRecherche final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletRecherche(QWidget *parent = nullptr);
};
