#include "Screens/Activity/ListAddition.h"

namespace screens {

ListAddition::~ListAddition() {
    End pending = End::Pending;
    end_->compare_exchange_strong(pending, End::Dropped);
}

void ListAddition::joined() {
    End pending = End::Pending;
    end_->compare_exchange_strong(pending, End::Joined);
}

}  // namespace screens
