# settings.tcl - the window's settings, kept in a small file of the user's library
# folder: the window's size and place (restored on start, clamped to the screen), the
# text size, the recent conversion targets, the error model and whether formulas are
# read as typed. Namespace zt.
#
# The file holds one Tcl list of two words a line, a key and its value. It is read as
# data, never evaluated: unknown keys and values of the wrong form are passed over.
# It is written whole under another name and renamed over the old one, so a reader
# never sees half a file.

namespace eval zt {
    variable settings {}        ;# dict key -> value of the settings read or set
    variable settingsfile ""    ;# where they are kept; "" when there is no user folder
    variable saveafter ""       ;# the pending 'after' that keeps the geometry
}

# Whether 'value' is a good value of the setting 'key'.
proc zt::goodsetting {key value} {
    switch -- $key {
        geometry { regexp {^\d{1,5}x\d{1,5}\+-?\d{1,5}\+-?\d{1,5}$} $value }
        zoomed   { expr {$value in {0 1}} }
        textsize { dict exists $zt::textsizes $value }
        targets  { expr {[string is list $value] && [llength $value] <= 50} }
        errors   { expr {$value in {linear gauss}} }
        literal  { expr {$value in {0 1}} }
        default  { return 0 }
    }
}

# The settings of the text 'text': a dict of the good lines, later lines winning.
proc zt::parsesettings {text} {
    set d {}
    foreach line [split $text \n] {
        if {![string is list $line] || [llength $line] != 2} continue
        lassign $line key value
        if {[goodsetting $key $value]} { dict set d $key $value }
    }
    return $d
}

# Reads the settings from the user's library folder of 'lib' and applies the error
# model, formulas as typed, the text size and the geometry; without a folder the settings live only while
# the window does.
proc zt::loadsettings {} {
    variable lib
    variable settings {}
    variable settingsfile ""
    variable textsize
    variable opt
    set dir [dict get $lib dir]
    if {$dir ne ""} {
        set settingsfile [file join $dir window.settings]
        if {[file isfile $settingsfile] && ![catch {open $settingsfile} f]} {
            fconfigure $f -encoding utf-8
            catch { set settings [parsesettings [read $f 65536]] }
            close $f
        }
    }
    set opt(errors) [getsetting errors linear]
    set opt(literal) [getsetting literal 0]
    if {[dict exists $settings textsize] && [dict get $settings textsize] ne $textsize} {
        set textsize [dict get $settings textsize]
        fonts
    }
    restoregeometry
}

# The setting 'key', or 'default' when it is not set.
proc zt::getsetting {key {default ""}} {
    variable settings
    expr {[dict exists $settings $key] ? [dict get $settings $key] : $default}
}

# Sets the setting 'key' to 'value' (and any further keys to their values) and writes
# the settings when one changed.
proc zt::setting {key value args} {
    variable settings
    set changed 0
    foreach {key value} [list $key $value {*}$args] {
        if {![dict exists $settings $key] || [dict get $settings $key] ne $value} {
            dict set settings $key $value
            set changed 1
        }
    }
    if {$changed} savesettings
}

# Writes the settings file; "" when done or there is nowhere to write, else why not.
proc zt::savesettings {} {
    variable settings
    variable settingsfile
    if {$settingsfile eq ""} { return "" }
    set new $settingsfile.[pid].new
    set text ""
    dict for {key value} $settings { append text [list $key $value] \n }
    if {[catch {
        set f [open $new w 0664]
        fconfigure $f -encoding utf-8
        puts -nonewline $f $text
        close $f
        file rename -force $new $settingsfile
    } why]} {
        catch {close $f}
        file delete $new
        return $why
    }
    return ""
}

# ---- Geometry

# The size "WxH" the window opens with when no geometry is kept: about 640 by 480
# points (larger on a denser screen), no less than its widgets need and no more than
# nine tenths of the screen.
proc zt::defaultsize {} {
    update idletasks
    set w [expr {max([px 640], [winfo reqwidth .])}]
    set h [expr {max([px 480], [winfo reqheight .])}]
    set w [expr {min($w, [winfo screenwidth .] * 9 / 10)}]
    set h [expr {min($h, [winfo screenheight .] * 9 / 10)}]
    return ${w}x$h
}

# The geometry "WxH+X+Y" made to fit a screen of 'sw' by 'sh' pixels: no smaller than
# 'mw' by 'mh' nor larger than the screen, and wholly on it.
proc zt::clampgeometry {geometry sw sh mw mh} {
    if {![regexp {^(\d+)x(\d+)\+(-?\d+)\+(-?\d+)$} $geometry -> w h x y]} { return "" }
    set w [expr {max(min($w, $sw), min($mw, $sw))}]
    set h [expr {max(min($h, $sh), min($mh, $sh))}]
    set x [expr {max(0, min($x, $sw - $w))}]
    set y [expr {max(0, min($y, $sh - $h))}]
    return ${w}x$h+$x+$y
}

# Gives the window its kept geometry, fitted to this screen, or the default size, and
# shows it.
proc zt::restoregeometry {} {
    lassign [wm minsize .] mw mh
    set g [clampgeometry [getsetting geometry] [winfo screenwidth .] [winfo screenheight .] $mw $mh]
    wm geometry . [expr {$g eq "" ? [defaultsize] : $g}]
    wm deiconify .
    if {[getsetting zoomed 0]} { catch {wm attributes . -zoomed 1} }
}

# Keeps the window's geometry a moment after it last changed.
proc zt::geometrychanged {} {
    variable saveafter
    after cancel $saveafter
    set saveafter [after 1000 zt::keepgeometry]
}

# Keeps the window's geometry in the settings (its size when not maximised).
proc zt::keepgeometry {} {
    variable saveafter
    after cancel $saveafter
    if {![winfo exists .] || ![winfo ismapped .]} return
    set zoomed 0
    catch {set zoomed [wm attributes . -zoomed]}
    if {$zoomed} {
        setting zoomed 1
    } else {
        setting geometry [wm geometry .] zoomed 0
    }
}

# Ends the program, its geometry kept; an evaluation under way is stopped first, and
# the program ends once it has.
proc zt::quit {} {
    variable work
    if {[stopwork]} {
        set work(quit) 1
        return
    }
    keepgeometry
    exit
}
