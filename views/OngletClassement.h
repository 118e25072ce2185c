#pragma once

#include "views/Onglet.h"

// The classification tab: the catalogue as a tree of groups.
class OngletClassement final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletClassement(QWidget *parent = nullptr);
};
