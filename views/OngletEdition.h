#pragma once

#include "views/Onglet.h"

// The editing tab: every field of the card shown on the sheet.
class OngletEdition final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletEdition(QWidget *parent = nullptr);
};
