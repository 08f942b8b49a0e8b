#include "data/MetaTypes.h"

namespace data::model {

void registerMetaTypes()
{
    qRegisterMetaType<data::model::Landing>("data::model::Landing");
    qRegisterMetaType<data::calc::LandingPosition>("data::calc::LandingPosition");
    qRegisterMetaType<data::model::TrampMode>("data::model::TrampMode");
    qRegisterMetaType<data::model::TrampNumber>("data::model::TrampNumber");
    qRegisterMetaType<DataUpdateReason>("DataUpdateReason");
    qRegisterMetaType<data::model::IndividualRoutineResult>("data::model::IndividualRoutineResult");
    qRegisterMetaType<data::model::SynchronizedRoutineResult>("data::model::SynchronizedRoutineResult");
}

} // namespace data::model
