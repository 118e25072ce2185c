#pragma once

#include "views/Onglet.h"

// The import tab: the cover site's title index, filtered, and the card import.
class OngletImports final : public Onglet
{
    Q_OBJECT

public:
    explicit OngletImports(QWidget *parent = nullptr);
};
