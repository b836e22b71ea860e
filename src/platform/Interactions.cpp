#include "Interactions.h"

#include <cstdlib>

namespace {
Interactions* g_interactions = nullptr;
}

Interactions& Interactions::courantes()
{
    // Sans implémentation installée, aucune question ne peut être posée : c'est une faute du programme.
    if (!g_interactions)
        std::abort();
    return *g_interactions;
}

void Interactions::definir(Interactions* interactions)
{
    g_interactions = interactions;
}
