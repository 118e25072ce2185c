#pragma once

#include <cstddef>
#include <exception>
#include <thread>
#include <utility>

// Runs travail(debut, fin) on both halves of [0, nombre) at once, the second half on a thread of
// its own, and gives both results. An exception of either half is raised here once both have
// ended, the first half's rather than the second's.
template <typename F> auto enDeuxMoities(size_t nombre, F travail)
{
    using Resultat = decltype(travail(size_t(), size_t()));
    const size_t milieu = nombre / 2;
    Resultat seconde{};
    std::exception_ptr erreur;
    std::thread fil([&] {
        try {
            seconde = travail(milieu, nombre);
        } catch (...) {
            erreur = std::current_exception();
        }
    });
    Resultat premiere{};
    try {
        premiere = travail(0, milieu);
    } catch (...) {
        fil.join();
        throw;
    }
    fil.join();
    if (erreur)
        std::rethrow_exception(erreur);
    return std::pair<Resultat, Resultat>(std::move(premiere), std::move(seconde));
}
