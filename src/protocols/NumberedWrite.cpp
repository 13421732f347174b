#include "NumberedWrite.h"

#include "data/firebird/FirebirdError.h"
#include "data/records/RecordSet.h"
#include "data/records/WriteTransaction.h"

#include <QRandomGenerator>
#include <QThread>

#include <algorithm>

namespace kalvero {

namespace {

// Desks that lost the same number would otherwise all read the next one at
// once and collide again; a short pause of random length spreads them out.
void pauseAfterCollision(int collisions) {
    QThread::msleep(QRandomGenerator::global()->bounded(1 + std::min(collisions, 10) * 2));
}

}  // namespace

int NumberedWrite::run(RecordSet &set, const std::function<void()> &numberRow,
                       const std::function<void(WriteTransaction &)> &alsoWrite) {
    int retries = 0;
    for (;;) {
        numberRow();
        WriteTransaction save(*set.connection());
        try {
            set.applyUpdates(save);
        } catch (const DatabaseError &e) {
            if (e.isDuplicateKey() && retries < Retries) {
                ++retries;
                pauseAfterCollision(retries);
                continue;
            }
            throw;
        }
        if (alsoWrite)
            alsoWrite(save);
        save.commit();
        return retries;
    }
}

}  // namespace kalvero
