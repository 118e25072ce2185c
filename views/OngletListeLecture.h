#pragma once

#include "views/Onglet.h"

// The playlist tab.
class OngletListeLecture final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletListeLecture(QWidget *parent = nullptr);
};
