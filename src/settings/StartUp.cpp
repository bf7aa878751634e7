#include "settings/StartUp.h"

namespace sorvane {

StartUpPlan PlanStartUp(LoadOutcome outcome) {
    switch (outcome) {
    case LoadOutcome::TooFewFields:
        return {StartUpAction::Quit, false, true, false};
    case LoadOutcome::BadNumber:
        return {StartUpAction::ShowWindowOnly, false, false, false};
    case LoadOutcome::Unreadable:
        return {StartUpAction::Continue, true, false, true};
    case LoadOutcome::NoFile:
        return {StartUpAction::Continue, true, false, false};
    case LoadOutcome::Loaded:
        break;
    }
    return {};
}

StartUpPlan ReadSettingsAtStartUp(Module1& settings) {
    const StartUpPlan plan = PlanStartUp(LoadSettingsFile(settings));
    if (plan.deleteFile)
        DeleteSettingsFile(settings);
    if (plan.applyDefaults)
        ApplyDefaults(settings);
    return plan;
}

} // namespace sorvane
