// EditCursor: what the main window is editing in the live settings block. The shown group and
// its record (0 all devices, k device k), the mode, the colour slot, the variant choice, the
// colour in hand and the switches as the view last took them. Every answer is read from the
// block when asked, so a profile switch that assigns the whole block leaves nothing pointing
// into the old one. It knows no window: the main dialog shows what it holds.
#pragma once

#include "settings/ColourSync.h"
#include "settings/SettingsBlock.h"

#include <cstdint>
#include <span>

constexpr int kMaxGroups = 4;

class EditCursor {
public:
    // The switches as the view shows them: copies taken by each panel refresh, so a switch
    // changed in the block shows only from the next refresh on.
    struct Switches {
        int led = 1;
        int audio = 0;
        int sync = 0;
        int razer = 0;
    };

    explicit EditCursor(SettingsBlock& live) noexcept : m_live(live) {}
    EditCursor(const EditCursor&) = delete;
    EditCursor& operator=(const EditCursor&) = delete;

    int Group() const noexcept { return m_group; }
    int Record() const noexcept { return m_record; }
    int Mode() const noexcept { return m_mode; }
    int Slot() const noexcept { return m_slot; }
    int Variant() const noexcept { return m_variant; }
    const Switches& Shown() const noexcept { return m_shown; }
    const EditorColour& Colour() const noexcept { return m_colour; }

    GroupSettings& GroupInUse() noexcept { return m_live.current().group(m_group); }
    EffectInfo& RecordInUse() noexcept { return GroupInUse().effects[m_record]; }
    const EffectInfo& RecordInUse() const noexcept { return m_live.current().group(m_group).effects[m_record]; }
    // The colours and the same-colour switch being edited: the music record's while music
    // mode shows, else the record in use's.
    ColourWord* EditedColours() noexcept;
    std::int32_t& EditedSameColour() noexcept;

    bool MusicShown() const noexcept { return m_shown.audio == 1; }
    // The display that offers the choice of mode, group and profile: neither music nor sync.
    bool NormalDisplay() const noexcept { return m_shown.audio != 1 && m_shown.sync != 1; }
    // The index into the mode traits: the sync display, the music display or the mode's own.
    int DisplayIndex() const noexcept;

    // The groups the window offers, in the order they became available; each once.
    std::span<const int> OfferedGroups() const noexcept { return {m_offered, static_cast<size_t>(m_offeredCount)}; }
    bool OffersGroup(int group) const noexcept;
    void OfferGroup(int group) noexcept;

    void ShowGroup(int group) noexcept { m_group = group; }
    // The record the group's device count and synchronisation select.
    void ChooseRecordOfGroup() noexcept;
    void ChooseRecord(int record) noexcept { m_record = record; }
    // The mode of the record in use, as it is stored.
    void TakeModeOfRecordInUse() noexcept { m_mode = RecordInUse().mode; }
    // A mode picked from the list goes into the record at once.
    void ChooseMode(int mode) noexcept;
    void ChooseSlot(int slot) noexcept { m_slot = slot; }
    void ChooseVariant(int variant) noexcept { m_variant = variant; }
    // The variant the record (or the music record) holds.
    void TakeVariantOfRecordInUse() noexcept;
    void TakeSwitches() noexcept;

    // Makes `colour` the one in hand and stores it: in every slot while the same colour is on,
    // else in the selected slot.
    void EditColour(const EditorColour& colour) noexcept;

    // Starts over from the saved block on `profile`: the language and the lighting switch as
    // shown are kept, music and sync are off. The group's device count is then the caller's to
    // set before ChooseRecordAfterProfileSwitch.
    void StartProfileOver(const SettingsBlock& saved, int profile) noexcept;
    // After a profile switch: the device's own record unless the group shows all devices in step.
    void ChooseRecordAfterProfileSwitch() noexcept;

private:
    SettingsBlock& m_live;
    int m_offered[kMaxGroups] = {};
    int m_offeredCount = 0;
    int m_group = kGroupDram;
    int m_record = 0;
    int m_mode = 0;
    int m_slot = 0;
    int m_variant = 0;
    Switches m_shown;
    EditorColour m_colour;
};
