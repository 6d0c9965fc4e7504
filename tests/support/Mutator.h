#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

// Seeded damage for the fuzz tests: 1 to iMaxMutations times flip a byte, cut a piece out, double a
// piece, drop in one of the tokens that upset the reader under test, or end early.
inline QByteArray mutate(QByteArray data, const QList<QByteArray> &tokens, int iMaxMutations, QRandomGenerator *pRandom)
{
    const int iMutations = 1 + pRandom->bounded(iMaxMutations);
    for (int i = 0; i < iMutations; ++i) {
        const int iAt = data.isEmpty() ? 0 : pRandom->bounded(data.size());
        const int iKind = pRandom->bounded(5);
        if (iKind == 0 && !data.isEmpty())
            data[iAt] = char(pRandom->bounded(256));
        else if (iKind == 1)
            data.remove(iAt, pRandom->bounded(1, 64));
        else if (iKind == 2)
            data.insert(iAt, data.mid(pRandom->bounded(qMax(1, data.size())), pRandom->bounded(1, 200)));
        else if (iKind == 3)
            data.insert(iAt, tokens.at(pRandom->bounded(tokens.size())));
        else if (iKind == 4)
            data.truncate(iAt);
    }
    return data;
}
