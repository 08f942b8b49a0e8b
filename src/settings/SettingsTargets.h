#pragma once

#include <array>
#include <climits>

// What the settings store loads into and saves from, beyond its own settings
// classes. The main window hands in adapters for its combo boxes and lists and
// the sample store; where one is not given, the settings keep the value
// themselves, so every key still round-trips.

// A selection by index: a combo box or a list row.
class IndexSelection
{
public:
    virtual ~IndexSelection() = default;
    virtual int count() const = 0;
    virtual int currentIndex() const = 0;
    virtual void setCurrentIndex(int index) = 0;
};

// Plain value holder used where no widget is attached.
class StoredIndexSelection final : public IndexSelection
{
public:
    explicit StoredIndexSelection(int index = -1, int count = INT_MAX)
        : m_index(index), m_count(count) {}
    int count() const override { return m_count; }
    int currentIndex() const override { return m_index; }
    void setCurrentIndex(int index) override { m_index = index; }
    void setCount(int count) { m_count = count; }

private:
    int m_index;
    int m_count;
};

// The sample store's persistent values: contact thresholds, trampoline
// selection and the eight sensor zero offsets.
struct StoreSettings
{
    double minForceSum1 = 1000.0;
    double minForceSum2 = 1000.0;
    int trampSelected = 0;
    int trampSelectIndex = 3;
    double thresholdTakeoff = 50.0;
    int postTimeTakeoff = 82;
    double thresholdLanding = 50.0;
    int preTimeLanding = 75;
    std::array<double, 8> tara{};
};

class StoreSettingsTarget
{
public:
    virtual ~StoreSettingsTarget() = default;
    virtual StoreSettings storeSettings() const = 0;
    virtual void applyStoreSettings(const StoreSettings &settings) = 0;
    // Rebuilds the bed geometry from the trampoline's length and width in millimetres.
    virtual void rebuildBedGeometry(double trampLength, double trampWidth) = 0;
};

class StoreSettingsHolder final : public StoreSettingsTarget
{
public:
    StoreSettings storeSettings() const override { return m_settings; }
    void applyStoreSettings(const StoreSettings &settings) override { m_settings = settings; }
    void rebuildBedGeometry(double trampLength, double trampWidth) override
    {
        m_trampLength = trampLength;
        m_trampWidth = trampWidth;
    }
    double trampLength() const { return m_trampLength; }
    double trampWidth() const { return m_trampWidth; }

private:
    StoreSettings m_settings;
    double m_trampLength = 3650.0;
    double m_trampWidth = 2425.0;
};
