#pragma once
// One month as a calendar in a picture box: an optional title, header and message
// lines, a row of weekday names and the day numbers in seven columns, Sundays,
// Saturdays and holidays in their own colours, every text with an optional drop
// shadow. Remembers where it drew each day so the window can find the day under
// the mouse. Coordinates are twips of the picture.
//
// Call order: Picture first (it resets the layout), then the area and the rest,
// then Create. An index outside its range throws std::out_of_range and stores
// nothing.
#include "logic/civil_date.h"
#include "logic/picture.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace mb::schedit {

class cCaleSet {
public:
    explicit cCaleSet(CaleSetHost& host);

    std::string HolidayName(Date d) const;
    // A raised frame around the whole picture; with p6 = 1 also a groove around the
    // area of top p1, bottom p2, left p3, right p4 (pixels) that reaches p5 twips
    // higher. Not on the preview picture "picCalePrev".
    void Meji(int p1, int p2, int p3, int p4, int p5, int p6);

    float AreaBottom() const { return areaBottom_; }
    float AreaLeft() const { return areaLeft_; }
    float AreaRight() const { return areaRight_; }
    float AreaTop() const { return areaTop_; }
    void AreaBottom(float vData) { areaBottom_ = vData; }
    void AreaLeft(float vData) { areaLeft_ = vData; }
    void AreaRight(float vData) { areaRight_ = vData; }
    void AreaTop(float vData) { areaTop_ = vData; }

    // Top-left corner of the day's number as last drawn, twips (iDay 1..31).
    float DayPosX(int iDay) const;
    float DayPosY(int iDay) const;

    // Holiday flags of the drawn month, character n for day n; any character but
    // "0" marks a holiday. Stored as exactly 31 characters: padded with blanks, or cut.
    const std::string& Holydays() const { return holydays_; }
    void Holydays(std::string_view sHoly);

    int NextMessage() const { return nextMessage_; }

    // Text positions (0 title, 1 header, 2 first message line): written in twips,
    // read back in whole pixels.
    float PosX(int Index) const;
    float PosY(int Index) const;
    void PosX(int Index, float vData);
    void PosY(int Index, float vData);

    // Shadows of title, header, messages and grid (0..3).
    bool Shade(int Index) const;
    void Shade(int Index, bool vData);
    // Shadow offsets in pixels (xData 0..3 as for Shade; Index 0 = x, 1 = y), kept in twips.
    int ShadeXY(int xData, int Index) const;
    void ShadeXY(int xData, int Index, int vData);

    // Draws the month of dData, or of the day already set when dData is not later
    // than 1990-01-01 (the empty date redraws). Throws std::logic_error without a picture.
    void Create(Date dData);

    void Header(std::string vData) { header_ = std::move(vData); }
    // Keeps lines 0..iLine-1, stores line iLine and drops the lines above it.
    void Message(int iLine, std::string vData);

    // Anything but a picture box gets the "CaleSet Error" box and changes nothing.
    void Picture(Control& v);
    PictureBox* Picture() const { return picture_; }

    bool Big() const { return big_; }
    void Big(bool vData) { big_ = vData; }
    Date DefDay() const { return defDay_; }
    void DefDay(Date vData) { defDay_ = vData; }

    Colour Color(int Index) const;
    void Color(int Index, Colour vData);

    // Fonts 0 title, 1 header, 2 messages, 3 weekday names and day numbers. Reading
    // an empty slot puts a new default font into it.
    FontObject Font(int Index);
    void Font(int Index, FontObject font);

    void TypeWeek(int iWeekType) { typeWeek_ = iWeekType; }
    // Date mask of the title; a leading "_" moves the title into the grid.
    void YMFormat(std::string vData) { ymFormat_ = std::move(vData); }

private:
    struct Point {
        float x = 0, y = 0;
    };

    void ResetLayout();
    void PaintMonth();
    void DefaultFontsColoursShades();
    void SelectFont(int index);
    void PrintAt(double x, double y, std::string_view text);
    // A text of the grid centred on (x, y), after its shadow; gives its top-left corner.
    Point PrintCentred(double x, double y, std::string_view text, Colour colour);
    double Half(double length) const;

    CaleSetHost& host_;
    PictureBox* picture_ = nullptr;
    int tppx_, tppy_;
    float areaLeft_ = 0, areaTop_ = 0, areaRight_ = 0, areaBottom_ = 0;
    Date defDay_;
    bool big_ = false;
    std::string holydays_ = std::string(31, '\0');
    std::string header_;
    std::vector<std::string> message_{std::string()};
    int nextMessage_ = 0;
    std::string ymFormat_;
    int typeWeek_ = 0;
    std::array<Point, 3> pos_{};
    std::array<FontObject, 4> fonts_{};
    std::array<Colour, 8> colours_{};
    std::array<bool, 4> shade_{};
    std::array<std::array<int, 2>, 4> shadeOffset_{};
    std::array<Point, 31> dayPos_{};
};

}  // namespace mb::schedit
