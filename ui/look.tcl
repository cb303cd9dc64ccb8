# look.tcl - the window's look: one ttk style for its colours and fonts, font sizes
# from the screen's scaling and the chosen text size, and tooltips. Namespace zt.
#
# Every colour and font of the window is set in 'styles'; widgets that are not ttk
# widgets (the history, menus, the plot canvas, popups) read theirs with 'look'.

namespace eval zt {
    # The text sizes of View > Text size: name and factor on the base sizes.
    variable textsizes {Small 0.85 Normal 1.0 Large 1.2 Larger 1.45 Largest 1.75}
    variable textsize Normal     ;# the chosen one
    variable tipdelay 600        ;# milliseconds the pointer rests before a tooltip shows
    variable tipafter ""         ;# the pending 'after' of a tooltip
}

# The named fonts and their sizes in points at text size Normal: Tk's own (used by
# every ttk widget and dialog) and the window's.
proc zt::fontbase {} {
    return {
        TkDefaultFont 10 TkTextFont 10 TkMenuFont 10 TkHeadingFont 10 TkIconFont 10
        TkCaptionFont 12 TkSmallCaptionFont 9 TkTooltipFont 9 TkFixedFont 10
        QevFormula 13 QevHistory 11 QevAnswer 14 QevKey 11 QevCode 11
    }
}

# The size of a font of 'points' points at the text size 'factor', in points: Tk turns
# points into pixels by 'tk scaling', so the same size is larger on a denser screen.
proc zt::fontsize {points factor} {
    expr {max(6, round($points * $factor))}
}

# Makes or resizes the named fonts for the chosen text size. The window's own fonts:
# QevFormula (the formula and target fields), QevHistory (formulas in the history),
# QevAnswer (answers), QevKey (the keypad), QevCode (formula text in dialogs).
proc zt::fonts {} {
    variable textsizes
    variable textsize
    if {![dict exists $textsizes $textsize]} { set textsize Normal }
    set factor [dict get $textsizes $textsize]
    set families {
        QevFormula {-family monospace} QevHistory {-family monospace} QevCode {-family monospace}
        QevAnswer {-family sans-serif} QevKey {-family sans-serif}
    }
    dict for {name points} [fontbase] {
        set size [fontsize $points $factor]
        if {$name in [font names]} {
            font configure $name -size $size
        } else {
            font create $name {*}[dict get $families $name] -size $size
        }
    }
    # A treeview row does not follow its font by itself.
    ttk::style configure Treeview -rowheight [expr {[font metrics TkDefaultFont -linespace] + 6}]
}

# Chooses a text size of 'textsizes' (View > Text size) and keeps it in the settings.
proc zt::settextsize {name} {
    variable textsize $name
    fonts
    setting textsize $name
    update idletasks
    flowoptions
    flowkeys
}

# A length in pixels for 'points' points on this screen.
proc zt::px {points} { winfo pixels . ${points}p }

# The colours of the window, by role.
proc zt::palette {} {
    return {
        bg #f3f4f6 surface #ffffff text #1d2430 muted #667085 border #d0d5dd
        field #c3c9d3 accent #2563eb accentdark #1b4fc4 accentlight #dce7fd
        key #e6e9ef keyhover #d9dee7 keypress #c9d0dc error #b42318 ok #157f3c
        formula #44557a tip #2b313b tiptext #f5f7fa
    }
}

# The window's colours and fonts, in one ttk style: the theme's defaults, the widget
# styles, and label styles that the other widgets read with 'look'.
proc zt::styles {} {
    set p [palette]
    foreach {role colour} $p { set $role $colour }
    ttk::style theme use clam
    ttk::style configure . -background $bg -foreground $text -font TkDefaultFont \
        -bordercolor $border -lightcolor $bg -darkcolor $bg -troughcolor $bg \
        -fieldbackground $surface -selectbackground $accentlight -selectforeground $text \
        -insertcolor $text -focuscolor $accent -arrowcolor $muted
    ttk::style map . -foreground [list disabled $muted]

    ttk::style configure TButton -padding {8 3} -width -8 -background $key -lightcolor $key -darkcolor $key \
        -bordercolor $border -anchor center
    ttk::style map TButton -background [list pressed $keypress active $keyhover] \
        -lightcolor [list pressed $keypress active $keyhover] -darkcolor [list pressed $keypress active $keyhover] \
        -bordercolor [list focus $accent]
    ttk::style configure Accent.TButton -background $accent -lightcolor $accent -darkcolor $accent \
        -foreground white -bordercolor $accentdark -font QevKey -padding {14 4}
    # Disabled (while long work runs) it turns grey like a key.
    ttk::style map Accent.TButton -background [list disabled $key pressed $accentdark active $accentdark] \
        -lightcolor [list disabled $key pressed $accentdark active $accentdark] \
        -darkcolor [list disabled $key pressed $accentdark active $accentdark] \
        -foreground [list disabled $muted] -bordercolor [list disabled $border]
    foreach w {TButton TMenubutton} {
        ttk::style configure Key.$w -font QevKey -padding {4 5} -background $key -lightcolor $key \
            -darkcolor $key -bordercolor $bg -anchor center
        ttk::style map Key.$w -background [list pressed $keypress active $keyhover] \
            -lightcolor [list pressed $keypress active $keyhover] \
            -darkcolor [list pressed $keypress active $keyhover] -bordercolor [list focus $accent]
    }
    ttk::style configure Key.TMenubutton -arrowcolor $muted -padding {6 5}

    foreach w {TEntry TCombobox TSpinbox} {
        ttk::style configure $w -fieldbackground $surface -bordercolor $field -lightcolor $surface \
            -darkcolor $surface -padding {4 2} -background $bg
        ttk::style map $w -bordercolor [list focus $accent] -lightcolor [list focus $accentlight] \
            -fieldbackground [list readonly $surface disabled $bg]
    }
    ttk::style map TCombobox -background [list active $keyhover pressed $keypress]
    ttk::style configure TCombobox -arrowsize [px 9]
    ttk::style configure TSpinbox -arrowsize [px 7]
    ttk::style configure Formula.TEntry -padding {8 5}
    ttk::style configure Formula.TCombobox -padding {8 5}
    ttk::style configure TCheckbutton -indicatorbackground $surface -indicatorforeground white \
        -upperbordercolor $field -lowerbordercolor $field -indicatorsize [px 9] -indicatormargin {0 0 4p 0}
    ttk::style map TCheckbutton -indicatorbackground [list selected $accent] \
        -background [list active $bg]
    ttk::style configure Toolbutton -padding {8 3} -background $key -lightcolor $key -darkcolor $key \
        -bordercolor $border -anchor center
    ttk::style map Toolbutton -background [list selected $accent active $keyhover] \
        -foreground [list selected white] -lightcolor [list selected $accent active $keyhover] \
        -darkcolor [list selected $accent active $keyhover] -bordercolor [list selected $accentdark]
    # Slim scroll bars: a thumb in a trough, no arrows.
    ttk::style configure TScrollbar -background $key -troughcolor $surface -bordercolor $surface \
        -lightcolor $key -darkcolor $key -arrowcolor $muted -gripcount 0 -arrowsize [px 7]
    ttk::style map TScrollbar -background [list active $keyhover pressed $keypress] \
        -lightcolor [list active $keyhover pressed $keypress] -darkcolor [list active $keyhover pressed $keypress]
    foreach o {Vertical Horizontal} {
        ttk::style layout $o.TScrollbar [list $o.Scrollbar.trough -sticky nsew -children \
            [list $o.Scrollbar.thumb -expand 1 -sticky nsew]]
    }
    ttk::style configure Treeview -background $surface -fieldbackground $surface -bordercolor $border
    ttk::style map Treeview -background [list selected $accentlight] -foreground [list selected $text]
    ttk::style configure Treeview.Heading -background $bg -lightcolor $bg -darkcolor $bg -padding {4 2}
    ttk::style configure Hint.TLabel -background $surface -foreground $muted -font QevFormula
    ttk::style configure Card.TFrame -background $surface -relief solid -borderwidth 1 -bordercolor $border \
        -lightcolor $border -darkcolor $border
    ttk::style configure Toolbar.TFrame -background $bg
    ttk::style configure Bar.TFrame -background $bg
    # The progress of long work and its Cancel button, no taller than the status line.
    ttk::style configure Bar.TButton -padding {8 0} -width -6
    ttk::style configure Horizontal.TProgressbar -background $accent -lightcolor $accent -darkcolor $accent \
        -bordercolor $field -troughcolor $surface
    ttk::style configure TSeparator -background $border

    foreach {style options} [list \
        Formula   [list -foreground $formula -font QevHistory] \
        Answer    [list -foreground $text -font QevAnswer] \
        Code      [list -font QevCode] \
        Error     [list -foreground $error] \
        Ok        [list -foreground $ok] \
        Note      [list -foreground $muted -font TkDefaultFont] \
        Status    [list -foreground $muted] \
        History   [list -background $surface -foreground $text -bordercolor $border] \
        Selection [list -background $accentlight -foreground $text] \
        Focus     [list -foreground $accent] \
        Tooltip   [list -background $tip -foreground $tiptext -font TkTooltipFont] \
        Menu      [list -background $surface -foreground $text -activebackground $accent \
                       -activeforeground white -bordercolor $border] \
        Plot      [list -foreground #1a3c8c -background white] \
        PlotFrame [list -foreground black -font TkDefaultFont] \
        PlotGrid  [list -foreground #e4e4e4] \
        PlotZero  [list -foreground #808080] \
        PlotMark  [list -foreground #c00000] \
    ] {
        ttk::style configure $style.TLabel {*}$options
    }
    # Menus and plain Tk widgets made from now on take their colours from the styles.
    foreach {option style key} {
        *Menu.background Menu -background *Menu.foreground Menu -foreground
        *Menu.activeBackground Menu -activebackground *Menu.activeForeground Menu -activeforeground
        *Menu.selectColor Menu -activebackground *Listbox.background History -background
        *Listbox.selectBackground Selection -background *Listbox.selectForeground Selection -foreground
        *Text.background History -background *Canvas.background History -background
        *Toplevel.background . -background
    } {
        option add $option [look $style $key] widgetDefault
    }
    option add *Menu.relief flat widgetDefault
    option add *Menu.borderWidth 1 widgetDefault
    option add *Menu.activeBorderWidth 0 widgetDefault
    option add *Listbox.highlightThickness 0 widgetDefault
    option add *Listbox.borderWidth 0 widgetDefault
    . configure -background [look . -background]
}

# One setting of a style of 'styles': 'look Error -foreground'; the style "." is the
# theme's default.
proc zt::look {style option} {
    if {$style eq "."} { return [ttk::style lookup . $option] }
    ttk::style lookup $style.TLabel $option
}

# ---- Tooltips

# Gives the widget 'w' the tooltip 'text'.
proc zt::tip {w text} {
    bind $w <Enter> [list zt::tiplater %W $text]
    bind $w <Leave> zt::tiphide
    bind $w <ButtonPress> zt::tiphide
}

# Shows the tooltip 'text' for the widget 'w' once the pointer has rested on it.
proc zt::tiplater {w text} {
    variable tipafter
    variable tipdelay
    after cancel $tipafter
    set tipafter [after $tipdelay [list zt::tipshow $w $text]]
}

# Shows the tooltip 'text' below the pointer over the widget 'w' (when the pointer is
# still over it).
proc zt::tipshow {w text} {
    if {![winfo exists $w] || $text eq ""} return
    set t .tip
    if {![winfo exists $t]} {
        toplevel $t -background [look Tooltip -background]
        wm overrideredirect $t 1
        wm withdraw $t
        label $t.l -justify left -background [look Tooltip -background] \
            -foreground [look Tooltip -foreground] -font [look Tooltip -font] -padx 8 -pady 4 \
            -wraplength [px 360]
        pack $t.l
    }
    $t.l configure -text $text
    lassign [winfo pointerxy $w] x y
    set x [expr {max(0, min($x + 12, [winfo screenwidth $w] - [winfo reqwidth $t]))}]
    set y [expr {$y + 18}]
    if {$y + [winfo reqheight $t] > [winfo screenheight $w]} {
        set y [expr {$y - 24 - [winfo reqheight $t]}]
    }
    wm geometry $t +$x+$y
    wm deiconify $t
    raise $t
}

# Hides the tooltip and forgets a pending one.
proc zt::tiphide {} {
    variable tipafter
    after cancel $tipafter
    if {[winfo exists .tip]} { wm withdraw .tip }
}

# The text of the tooltip shown, "" when none is.
proc zt::tiptext {} {
    if {![winfo exists .tip] || ![winfo ismapped .tip]} { return "" }
    .tip.l cget -text
}
