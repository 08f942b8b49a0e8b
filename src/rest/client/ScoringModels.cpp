#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"

namespace ovra::rest::client {

QJsonObject ScoringLandingPosition::toJsonObject() const
{
    QJsonObject object;
    writeInteger(object, QStringLiteral("x"), m_x);
    writeInteger(object, QStringLiteral("y"), m_y);
    return object;
}

void ScoringLandingPosition::fromJsonObject(const QJsonObject &object)
{
    readInteger(object, QStringLiteral("x"), m_x);
    readInteger(object, QStringLiteral("y"), m_y);
}

bool ScoringLandingPosition::isSet() const
{
    return appears(m_x) || appears(m_y);
}

bool ScoringLandingPosition::isValid() const
{
    return m_x.isValid && m_y.isValid;
}

QJsonObject ScoringIndividualResultElement::toJsonObject() const
{
    QJsonObject object;
    writeDouble(object, QStringLiteral("timeOfFlightInSeconds"), m_timeOfFlightInSeconds);
    writeDouble(object, QStringLiteral("horizontalDisplacement"), m_horizontalDisplacement);
    writeObject(object, QStringLiteral("landingPositionInCm"), m_landingPositionInCm);
    writeInteger(object, QStringLiteral("landingZone"), m_landingZone);
    return object;
}

void ScoringIndividualResultElement::fromJsonObject(const QJsonObject &object)
{
    readDouble(object, QStringLiteral("timeOfFlightInSeconds"), m_timeOfFlightInSeconds);
    readDouble(object, QStringLiteral("horizontalDisplacement"), m_horizontalDisplacement);
    readObject(object, QStringLiteral("landingPositionInCm"), m_landingPositionInCm);
    readInteger(object, QStringLiteral("landingZone"), m_landingZone);
}

bool ScoringIndividualResultElement::isSet() const
{
    return appears(m_timeOfFlightInSeconds) || appears(m_horizontalDisplacement) ||
           appears(m_landingPositionInCm) || appears(m_landingZone);
}

bool ScoringIndividualResultElement::isValid() const
{
    return m_timeOfFlightInSeconds.isValid && m_horizontalDisplacement.isValid &&
           m_landingPositionInCm.isValid && m_landingZone.isValid;
}

QJsonObject ScoringSynchronizedResultElement::toJsonObject() const
{
    QJsonObject object;
    writeDouble(object, QStringLiteral("landingTimeDifferenceInSeconds"), m_landingTimeDifferenceInSeconds);
    writeDouble(object, QStringLiteral("synchronizedScore"), m_synchronizedScore);
    writeBoolean(object, QStringLiteral("forcedEndOfRoutine"), m_forcedEndOfRoutine);
    writeDouble(object, QStringLiteral("horizontalDisplacementTrampoline1"),
                m_horizontalDisplacementTrampoline1);
    writeDouble(object, QStringLiteral("horizontalDisplacementTrampoline2"),
                m_horizontalDisplacementTrampoline2);
    writeDouble(object, QStringLiteral("horizontalDisplacement"), m_horizontalDisplacement);
    writeObject(object, QStringLiteral("landingPositionInCmTrampoline1"), m_landingPositionInCmTrampoline1);
    writeObject(object, QStringLiteral("landingPositionInCmTrampoline2"), m_landingPositionInCmTrampoline2);
    writeInteger(object, QStringLiteral("landingZoneTrampoline1"), m_landingZoneTrampoline1);
    writeInteger(object, QStringLiteral("landingZoneTrampoline2"), m_landingZoneTrampoline2);
    return object;
}

void ScoringSynchronizedResultElement::fromJsonObject(const QJsonObject &object)
{
    readDouble(object, QStringLiteral("landingTimeDifferenceInSeconds"), m_landingTimeDifferenceInSeconds);
    readDouble(object, QStringLiteral("synchronizedScore"), m_synchronizedScore);
    readBoolean(object, QStringLiteral("forcedEndOfRoutine"), m_forcedEndOfRoutine);
    readDouble(object, QStringLiteral("horizontalDisplacementTrampoline1"),
               m_horizontalDisplacementTrampoline1);
    readDouble(object, QStringLiteral("horizontalDisplacementTrampoline2"),
               m_horizontalDisplacementTrampoline2);
    readDouble(object, QStringLiteral("horizontalDisplacement"), m_horizontalDisplacement);
    readObject(object, QStringLiteral("landingPositionInCmTrampoline1"), m_landingPositionInCmTrampoline1);
    readObject(object, QStringLiteral("landingPositionInCmTrampoline2"), m_landingPositionInCmTrampoline2);
    readInteger(object, QStringLiteral("landingZoneTrampoline1"), m_landingZoneTrampoline1);
    readInteger(object, QStringLiteral("landingZoneTrampoline2"), m_landingZoneTrampoline2);
}

bool ScoringSynchronizedResultElement::isSet() const
{
    return appears(m_landingTimeDifferenceInSeconds) || appears(m_synchronizedScore) ||
           appears(m_forcedEndOfRoutine) || appears(m_horizontalDisplacementTrampoline1) ||
           appears(m_horizontalDisplacementTrampoline2) || appears(m_horizontalDisplacement) ||
           appears(m_landingPositionInCmTrampoline1) || appears(m_landingPositionInCmTrampoline2) ||
           appears(m_landingZoneTrampoline1) || appears(m_landingZoneTrampoline2);
}

bool ScoringSynchronizedResultElement::isValid() const
{
    return m_landingTimeDifferenceInSeconds.isValid && m_synchronizedScore.isValid &&
           m_forcedEndOfRoutine.isValid && m_horizontalDisplacementTrampoline1.isValid &&
           m_horizontalDisplacementTrampoline2.isValid && m_horizontalDisplacement.isValid &&
           m_landingPositionInCmTrampoline1.isValid && m_landingPositionInCmTrampoline2.isValid &&
           m_landingZoneTrampoline1.isValid && m_landingZoneTrampoline2.isValid;
}

QJsonObject ScoringIndividualResult::toJsonObject() const
{
    QJsonObject object;
    writeDouble(object, QStringLiteral("startPenalty"), m_startPenalty);
    writeInteger(object, QStringLiteral("elementCount"), m_elementCount);
    writeDouble(object, QStringLiteral("timeOfFlightInSeconds"), m_timeOfFlightInSeconds);
    writeDouble(object, QStringLiteral("horizontalDisplacement"), m_horizontalDisplacement);
    writeStringMap(object, QStringLiteral("meta"), m_meta);
    writeDouble(object, QStringLiteral("delayBeforeStartInSeconds"), m_delayBeforeStartInSeconds);
    writeList(object, QStringLiteral("elements"), m_elements);
    return object;
}

void ScoringIndividualResult::fromJsonObject(const QJsonObject &object)
{
    readDouble(object, QStringLiteral("startPenalty"), m_startPenalty);
    readInteger(object, QStringLiteral("elementCount"), m_elementCount);
    readDouble(object, QStringLiteral("timeOfFlightInSeconds"), m_timeOfFlightInSeconds);
    readDouble(object, QStringLiteral("horizontalDisplacement"), m_horizontalDisplacement);
    readStringMap(object, QStringLiteral("meta"), m_meta);
    readDouble(object, QStringLiteral("delayBeforeStartInSeconds"), m_delayBeforeStartInSeconds);
    readList(object, QStringLiteral("elements"), m_elements);
}

bool ScoringIndividualResult::isSet() const
{
    return appears(m_startPenalty) || appears(m_elementCount) || appears(m_timeOfFlightInSeconds) ||
           appears(m_horizontalDisplacement) || appears(m_meta) || appears(m_delayBeforeStartInSeconds) ||
           appears(m_elements);
}

bool ScoringIndividualResult::isValid() const
{
    return m_startPenalty.isValid && m_elementCount.isValid && m_timeOfFlightInSeconds.isValid &&
           m_horizontalDisplacement.isValid;
}

QJsonObject ScoringSynchronizedResult::toJsonObject() const
{
    QJsonObject object;
    writeDouble(object, QStringLiteral("startPenalty"), m_startPenalty);
    writeInteger(object, QStringLiteral("elementCount"), m_elementCount);
    writeInteger(object, QStringLiteral("effectiveElementCount"), m_effectiveElementCount);
    writeDouble(object, QStringLiteral("synchronizedScore"), m_synchronizedScore);
    writeDouble(object, QStringLiteral("horizontalDisplacementTrampoline1"),
                m_horizontalDisplacementTrampoline1);
    writeDouble(object, QStringLiteral("horizontalDisplacementTrampoline2"),
                m_horizontalDisplacementTrampoline2);
    writeDouble(object, QStringLiteral("horizontalDisplacement"), m_horizontalDisplacement);
    writeStringMap(object, QStringLiteral("meta"), m_meta);
    writeDouble(object, QStringLiteral("delayBeforeStartInSeconds"), m_delayBeforeStartInSeconds);
    writeList(object, QStringLiteral("elements"), m_elements);
    return object;
}

void ScoringSynchronizedResult::fromJsonObject(const QJsonObject &object)
{
    readDouble(object, QStringLiteral("startPenalty"), m_startPenalty);
    readInteger(object, QStringLiteral("elementCount"), m_elementCount);
    readInteger(object, QStringLiteral("effectiveElementCount"), m_effectiveElementCount);
    readDouble(object, QStringLiteral("synchronizedScore"), m_synchronizedScore);
    readDouble(object, QStringLiteral("horizontalDisplacementTrampoline1"),
               m_horizontalDisplacementTrampoline1);
    readDouble(object, QStringLiteral("horizontalDisplacementTrampoline2"),
               m_horizontalDisplacementTrampoline2);
    readDouble(object, QStringLiteral("horizontalDisplacement"), m_horizontalDisplacement);
    readStringMap(object, QStringLiteral("meta"), m_meta);
    readDouble(object, QStringLiteral("delayBeforeStartInSeconds"), m_delayBeforeStartInSeconds);
    readList(object, QStringLiteral("elements"), m_elements);
}

bool ScoringSynchronizedResult::isSet() const
{
    return appears(m_startPenalty) || appears(m_elementCount) || appears(m_effectiveElementCount) ||
           appears(m_synchronizedScore) || appears(m_horizontalDisplacementTrampoline1) ||
           appears(m_horizontalDisplacementTrampoline2) || appears(m_horizontalDisplacement) ||
           appears(m_meta) || appears(m_delayBeforeStartInSeconds) || appears(m_elements);
}

bool ScoringSynchronizedResult::isValid() const
{
    return m_startPenalty.isValid && m_elementCount.isValid && m_effectiveElementCount.isValid &&
           m_synchronizedScore.isValid && m_horizontalDisplacementTrampoline1.isValid &&
           m_horizontalDisplacementTrampoline2.isValid && m_horizontalDisplacement.isValid;
}

QJsonObject ScoringRulesSettings::toJsonObject() const
{
    QJsonObject object;
    if (m_hdDeductions.isSet())
        object.insert(QStringLiteral("hdDeductions"), m_hdDeductions.toJsonValue());
    return object;
}

void ScoringRulesSettings::fromJsonObject(const QJsonObject &object)
{
    m_hdDeductions.fromJsonValue(object.value(QStringLiteral("hdDeductions")));
}

bool ScoringRulesSettings::isSet() const
{
    return m_hdDeductions.isSet();
}

bool ScoringRulesSettings::isValid() const
{
    return true;
}

QJsonObject ScoringResult::toJsonObject() const
{
    QJsonObject object;
    if (m_type.isSet())
        object.insert(QStringLiteral("type"), m_type.toJsonValue());
    if (m_maturity.isSet())
        object.insert(QStringLiteral("maturity"), m_maturity.toJsonValue());
    writeObject(object, QStringLiteral("rulesSettings"), m_rulesSettings);
    writeObject(object, QStringLiteral("individualResult"), m_individualResult);
    writeObject(object, QStringLiteral("synchronizedResult"), m_synchronizedResult);
    return object;
}

void ScoringResult::fromJsonObject(const QJsonObject &object)
{
    m_type.fromJsonValue(object.value(QStringLiteral("type")));
    m_maturity.fromJsonValue(object.value(QStringLiteral("maturity")));
    readObject(object, QStringLiteral("rulesSettings"), m_rulesSettings);
    readObject(object, QStringLiteral("individualResult"), m_individualResult);
    readObject(object, QStringLiteral("synchronizedResult"), m_synchronizedResult);
}

bool ScoringResult::isSet() const
{
    return m_type.isSet() || m_maturity.isSet() || appears(m_rulesSettings) || appears(m_individualResult) ||
           appears(m_synchronizedResult);
}

bool ScoringResult::isValid() const
{
    return m_type.isValid() && m_maturity.isValid();
}

QJsonObject ScoringState::toJsonObject() const
{
    QJsonObject object;
    if (m_state.isSet())
        object.insert(QStringLiteral("state"), m_state.toJsonValue());
    return object;
}

void ScoringState::fromJsonObject(const QJsonObject &object)
{
    m_state.fromJsonValue(object.value(QStringLiteral("state")));
}

bool ScoringState::isSet() const
{
    return m_state.isSet();
}

bool ScoringState::isValid() const
{
    return m_state.isValid();
}

} // namespace ovra::rest::client
