# plot.tcl - the plot window: a table of pairs drawn on a canvas with axes, ticks and
# labels, the pairs listed beside it, and saving as PostScript and CSV. Namespace zt.

namespace eval zt {
    variable plotpairs {}      ;# flat {x0 y0 x1 y1 ...} in the answer's number format
    variable plottitle ""
    variable plotmap           ;# L sx x0 B sy y0: canvas x = L + (x - x0)*sx, y = B - (y - y0)*sy
}

# Opens (or refreshes) the plot window for the pairs of a formula's answer.
proc zt::plot {formula pairs} {
    variable plotpairs $pairs
    variable plottitle $formula
    variable win
    set w $win(plot)
    if {![winfo exists $w]} { plotwindow }
    wm title $w "qev plot: $formula"
    set t $win(pairs)
    $t delete [$t children {}]
    foreach {x y} $pairs { $t insert {} end -values [list $x $y] }
    drawplot
}

proc zt::plotlast {} {
    variable lastpairs
    variable lastpairsformula
    variable win
    if {[llength $lastpairs] == 0} {
        status "No answer was a table of pairs yet (try: plot 0 6.28 50 sin(x))."
        return
    }
    plot $lastpairsformula $lastpairs
    raise $win(plot)
}

proc zt::plotwindow {} {
    variable win
    set w $win(plot)
    set c $win(canvas)
    set t $win(pairs)
    toplevel $w
    wm minsize $w [px 270] [px 180]
    ttk::frame $w.f -padding 6p
    pack $w.f -fill both -expand 1
    canvas $c -width 380p -height 260p -background [look Plot -background] -highlightthickness 0
    ttk::treeview $t -columns {x y} -show headings -selectmode browse \
        -yscrollcommand [list $w.f.sb set] -height 10
    foreach col {x y} {
        $t heading $col -text $col -anchor w
        $t column $col -width [px 80] -stretch 1
    }
    ttk::scrollbar $w.f.sb -orient vertical -command [list $t yview]
    ttk::frame $w.f.b
    ttk::button $w.f.b.ps -text "Save PostScript…" -underline 5 -command zt::askps
    ttk::button $w.f.b.csv -text "Save CSV…" -underline 5 -command zt::askcsv
    ttk::button $w.f.b.close -text Close -underline 0 -command [list destroy $w]
    pack $w.f.b.ps $w.f.b.csv $w.f.b.close -side left -padx 2
    grid $c $t $w.f.sb -sticky nsew
    grid $w.f.b - - -sticky e -pady {4 0}
    grid columnconfigure $w.f 0 -weight 1
    grid rowconfigure $w.f 0 -weight 1
    bind $c <Configure> zt::drawplot
    bind $t <<TreeviewSelect>> zt::markpair
    bind $w <Alt-p> zt::askps
    bind $w <Alt-c> zt::askcsv
    bind $w <Control-s> zt::askps
    bind $w <Escape> [list destroy $w]
    bind $w <Alt-l> [list zt::focuslist $t]
    focus $t
}

# Whether a number text is a finite number.
proc zt::finite {v} {
    expr {[string is double -strict $v] && ![catch {expr {abs($v) < Inf}} ok] && $ok}
}

# Tick values for the range lo..hi: multiples of 1, 2 or 5 times a power of ten, about
# 'n' of them.
proc zt::ticks {lo hi {n 6}} {
    set span [expr {double($hi - $lo)}]
    if {$span <= 0} { return [list $lo] }
    set raw [expr {$span / $n}]
    set mag [expr {10.0 ** floor(log10($raw))}]
    foreach m {1 2 5 10} {
        set step [expr {$m * $mag}]
        if {$step >= $raw} break
    }
    set ticks {}
    set k [expr {ceil($lo / $step - 1e-9)}]
    for {set v [expr {$k * $step}]} {$v <= $hi + $step * 1e-9} {set v [expr {$v + $step}]} {
        # Clear the rounding noise of the accumulated sum near zero.
        if {abs($v) < $step * 1e-9} { set v 0.0 }
        lappend ticks $v
        if {[llength $ticks] > 50} break
    }
    return $ticks
}

# The range shown for values lo..hi: widened when it is empty.
proc zt::range {lo hi} {
    if {$lo == $hi} {
        set d [expr {$lo == 0 ? 1.0 : abs($lo) * 0.1}]
        return [list [expr {$lo - $d}] [expr {$hi + $d}]]
    }
    list $lo $hi
}

# Draws the pairs: frame, ticks with labels, zero lines, the curve and its points.
proc zt::drawplot {} {
    variable plotpairs
    variable plottitle
    variable plotmap
    variable win
    set c $win(canvas)
    if {![winfo exists $c]} return
    $c delete all
    set W [winfo width $c]
    set H [winfo height $c]
    if {$W < 50} { set W [winfo pixels $c [$c cget -width]] }
    if {$H < 50} { set H [winfo pixels $c [$c cget -height]] }
    set pts {}
    foreach {x y} $plotpairs {
        if {[finite $x] && [finite $y]} { lappend pts [expr {double($x)}] [expr {double($y)}] }
    }
    if {[llength $pts] == 0} {
        $c create text [expr {$W / 2}] [expr {$H / 2}] -text "No finite pairs to draw" -tags msg
        return
    }
    set xs {}
    set ys {}
    foreach {x y} $pts { lappend xs $x; lappend ys $y }
    lassign [range [tcl::mathfunc::min {*}$xs] [tcl::mathfunc::max {*}$xs]] x0 x1
    lassign [range [tcl::mathfunc::min {*}$ys] [tcl::mathfunc::max {*}$ys]] y0 y1
    set pad [expr {($y1 - $y0) * 0.05}]
    set y0 [expr {$y0 - $pad}]
    set y1 [expr {$y1 + $pad}]
    # Margins, ticks and label gaps in lines of the labels' font.
    set u [font metrics [look PlotFrame -font] -linespace]
    set tick [expr {round($u * 0.3)}]
    set gap [expr {round($u * 0.4)}]
    set L [expr {4 * $u}]; set R [expr {$W - $u}]; set T [expr {round(1.7 * $u)}]; set B [expr {$H - round(2.4 * $u)}]
    set sx [expr {($R - $L) / ($x1 - $x0)}]
    set sy [expr {($B - $T) / ($y1 - $y0)}]
    set plotmap [list $L $sx $x0 $B $sy $y0]
    set px [list apply {{L sx x0 x} {expr {$L + ($x - $x0) * $sx}}} $L $sx $x0]
    set py [list apply {{B sy y0 y} {expr {$B - ($y - $y0) * $sy}}} $B $sy $y0]

    $c create text [expr {($L + $R) / 2}] [expr {$u * 3 / 4}] -text $plottitle -font [look PlotFrame -font] -tags title
    foreach v [ticks $x0 $x1] {
        set X [{*}$px $v]
        $c create line $X $B $X [expr {$B + $tick}] -tags tick
        $c create line $X $T $X $B -fill [look PlotGrid -foreground] -tags grid
        $c create text $X [expr {$B + $gap}] -text [format %.6g $v] -anchor n -tags xlabel
    }
    foreach v [ticks $y0 $y1] {
        set Y [{*}$py $v]
        $c create line [expr {$L - $tick}] $Y $L $Y -tags tick
        $c create line $L $Y $R $Y -fill [look PlotGrid -foreground] -tags grid
        $c create text [expr {$L - $gap}] $Y -text [format %.6g $v] -anchor e -tags ylabel
    }
    if {$x0 < 0 && $x1 > 0} {
        set X [{*}$px 0]
        $c create line $X $T $X $B -fill [look PlotZero -foreground] -dash {4 2} -tags zero
    }
    if {$y0 < 0 && $y1 > 0} {
        set Y [{*}$py 0]
        $c create line $L $Y $R $Y -fill [look PlotZero -foreground] -dash {4 2} -tags zero
    }
    $c create rectangle $L $T $R $B -outline [look PlotFrame -foreground] -tags frame
    $c create text [expr {($L + $R) / 2}] [expr {$H - $gap}] -text x -anchor s -tags axislabel
    $c create text $gap [expr {($T + $B) / 2}] -text y -anchor w -tags axislabel

    set line {}
    foreach {x y} $pts { lappend line [{*}$px $x] [{*}$py $y] }
    set ink [look Plot -foreground]
    if {[llength $line] >= 4} { $c create line $line -fill $ink -width 2 -tags curve }
    if {[llength $pts] <= 200} {
        foreach {X Y} $line {
            $c create oval [expr {$X - 2}] [expr {$Y - 2}] [expr {$X + 2}] [expr {$Y + 2}] \
                -fill $ink -outline {} -tags point
        }
    }
    markpair
}

# Rings the point of the pair selected in the list.
proc zt::markpair {} {
    variable plotmap
    variable win
    set c $win(canvas)
    set t $win(pairs)
    if {![winfo exists $c] || ![info exists plotmap]} return
    $c delete mark
    set sel [$t selection]
    if {$sel eq ""} return
    lassign [$t item [lindex $sel 0] -values] x y
    if {![finite $x] || ![finite $y]} return
    lassign $plotmap L sx x0 B sy y0
    set X [expr {$L + ($x - $x0) * $sx}]
    set Y [expr {$B - ($y - $y0) * $sy}]
    $c create oval [expr {$X - 6}] [expr {$Y - 6}] [expr {$X + 6}] [expr {$Y + 6}] \
        -outline [look PlotMark -foreground] -width 2 -tags mark
}

# Writes the picture as PostScript.
proc zt::saveps {path} {
    variable win
    $win(canvas) postscript -file $path -colormode color
}

# Writes the pairs as CSV: a header line "x,y", then one pair per line.
proc zt::savecsv {path} {
    variable plotpairs
    set f [open $path w]
    puts $f x,y
    foreach {x y} $plotpairs { puts $f $x,$y }
    close $f
}

proc zt::askps {} {
    variable win
    set path [tk_getSaveFileName -parent $win(plot) -title "Save the plot as PostScript" \
        -defaultextension .ps -filetypes {{PostScript .ps} {"All files" *}}]
    if {$path ne ""} { saveps $path; status "Saved $path" }
}

proc zt::askcsv {} {
    variable win
    set path [tk_getSaveFileName -parent $win(plot) -title "Save the pairs as CSV" \
        -defaultextension .csv -filetypes {{CSV .csv} {"All files" *}}]
    if {$path ne ""} { savecsv $path; status "Saved $path" }
}
