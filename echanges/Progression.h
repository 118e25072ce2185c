#pragma once

#include <QtGlobal>

#include <atomic>

// What a long export or import has done, and whether the user stopped it. The worker thread
// counts and looks for the stop; the GUI thread reads the count and asks for the stop.
class Progression final
{
public:
    // Raised by avancer() once the user has stopped the work: the worker unwinds and leaves no
    // half-written file behind.
    struct Annulation
    {
    };

    void definirTotal(qint64 total) { m_total.store(total, std::memory_order_relaxed); }
    // Counts `pas` more steps; raises Annulation when the work was stopped.
    void avancer(qint64 pas = 1)
    {
        compter(pas);
        verifier();
    }
    // Counts without looking for the stop (a work that ends in its own way when stopped).
    void compter(qint64 pas = 1) { m_fait.fetch_add(pas, std::memory_order_relaxed); }
    void verifier() const
    {
        if (m_annulee.load(std::memory_order_relaxed))
            throw Annulation{};
    }
    void annuler() { m_annulee.store(true, std::memory_order_relaxed); }
    bool annulee() const { return m_annulee.load(std::memory_order_relaxed); }
    qint64 fait() const { return m_fait.load(std::memory_order_relaxed); }
    qint64 total() const { return m_total.load(std::memory_order_relaxed); }

private:
    std::atomic<qint64> m_fait{0};
    std::atomic<qint64> m_total{0};
    std::atomic<bool> m_annulee{false};
};
