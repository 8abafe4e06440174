/*
 * How the chooser looks in the theme Windows asks for: as the system's
 * colours say in the light theme and in high contrast, which always wins;
 * where the apps' theme is dark (AppsUseLightTheme 0), a dark title bar,
 * the controls in the dark theme Windows' own programs use, and a dark
 * palette for what Runvo draws itself: the dialog's background, the
 * read-only field, the list and its rows, the row's menu. Portable, so that
 * what is asked in each theme is a unit row.
 */
#ifndef RUNVO_LOOK_H
#define RUNVO_LOOK_H

/* A colour: 0x00BBGGRR, as the platform keeps one. */
typedef unsigned long Colour;

/* The chooser's colours: the dialog's face, the list's and the field's
   background, text, the grey of options and missing programs, and a
   selected row's background and text. */
struct Palette {
    Colour face, window, text, grey, highlight, highlightText;
};

struct ChooserLook {
    bool darkTitle;       /* the title bar asked to be dark */
    const wchar_t *theme; /* the controls' theme; NULL: the system's own */
    bool ownColours;      /* false: the system's colours, as the light theme has them */
    Palette colours;      /* when ownColours */
};

/* What the chooser asks for, where the apps' theme is dark or not and high
   contrast is on or not. */
ChooserLook LookFor(bool appsDark, bool highContrast);

#endif /* RUNVO_LOOK_H */
