# wmk.tcl - the desktop program starts from any working directory with its own window
# script: build/wmk is run from a folder that holds someone else's zt.tcl, under the X
# server of DISPLAY; its window "qev" must be mapped within 20 seconds, at least 800 by
# 600 pixels, the user's library made under XDG_DATA_HOME, and the folder's zt.tcl left
# unrun. That zt.tcl runs only with --local-script, or for a copy of the program that
# has no script of its own. The window keeps its size and place across a restart, and
# a kept geometry too large for the screen is fitted to it.
# Usage: tclsh wmk.tcl FOLDER (the build folder, or the bin folder of an installed tree;
# prints "wmk: ok" or the reasons; exit status 0 or 1)
set build [file normalize [lindex $argv 0]]
set tmp [file join [expr {[info exists env(TMPDIR)] ? $env(TMPDIR) : "/tmp"}] qevwmk-[pid]]
file delete -force $tmp
file mkdir $tmp/cwd $tmp/data $tmp/home $tmp/alone
set env(XDG_DATA_HOME) $tmp/data
set env(HOME) $tmp/home
set problems {}

# The stranger's script: leaves a mark in the working directory and ends the program.
set f [open $tmp/cwd/zt.tcl w]
puts $f {close [open ran-the-local-script w]; exit}
close $f
set mark $tmp/cwd/ran-the-local-script

# Runs 'exe' with 'args' from the folder of the stranger's script until its window is
# mapped or it ends (20 seconds at most); {pid window-info output}.
proc startwmk {exe args} {
    global tmp
    cd $tmp/cwd
    set pid [exec $exe {*}$args >& $tmp/out.txt &]
    set info ""
    for {set i 0} {$i < 100} {incr i} {
        after 200
        if {![catch {exec xwininfo -name qev} info] && [string match "*IsViewable*" $info]} break
        if {[file exists $tmp/cwd/ran-the-local-script] || [catch {exec kill -0 $pid}]} break
    }
    # Let the window script finish before it is read and stopped.
    after 500
    set f [open $tmp/out.txt]
    set out [read $f]
    close $f
    return [list $pid $info $out]
}

# The program's own script, whatever lies in the working directory.
lassign [startwmk [file join $build wmk]] pid info out
if {![string match "*IsViewable*" $info]} { lappend problems "no window named qev was mapped: $info" }
if {[regexp {Width: (\d+)} $info -> w] && [regexp {Height: (\d+)} $info -> h] && ($w < 800 || $h < 600)} {
    lappend problems "the window is only ${w}x$h"
}
set shipped [glob -nocomplain $build/data/SI.usys $build/../share/qev/data/SI.usys]
if {![file isdirectory [file join $tmp/data qev]] ||
    ([llength $shipped] && ![file exists [file join $tmp/data qev SI.usys]])} {
    lappend problems "no user library under XDG_DATA_HOME"
}
if {[catch {exec kill -0 $pid}]} { lappend problems "wmk is no longer running" }
catch {exec kill $pid}
if {[string trim $out] ne ""} { lappend problems "wmk wrote: $out" }
if {[lsort [glob -nocomplain -tails -directory $tmp/cwd *]] ne "zt.tcl"} {
    lappend problems "wmk ran the working directory's zt.tcl or wrote into it"
}

# The working directory's script when asked for, and for a program without a script.
file copy [file join $build wmk] $tmp/alone/wmk
foreach {what exe args} [list "with --local-script" [file join $build wmk] --local-script \
                             "for a program without a script" $tmp/alone/wmk {}] {
    file delete $mark
    lassign [startwmk $exe {*}$args] pid info out
    catch {exec kill $pid}
    if {![file exists $mark]} { lappend problems "the working directory's zt.tcl did not run $what: $out" }
}

# Runs the program's window script under wmk, then 'script' once the window is shown;
# what the script writes to the file "said" in the working directory.
proc withwindow {script} {
    global build tmp
    set f [open $tmp/cwd/zt.tcl w]
    puts $f [list source [lindex [glob -nocomplain $build/zt.tcl $build/../share/qev/zt.tcl] 0]]
    puts $f [list after 300 $script]
    close $f
    file delete $tmp/cwd/said
    set pid [exec [file join $build wmk] --local-script >& $tmp/out.txt &]
    for {set i 0} {$i < 100 && ![catch {exec kill -0 $pid}]} {incr i} { after 200 }
    catch {exec kill $pid}
    if {![file exists $tmp/cwd/said]} { return "" }
    set f [open $tmp/cwd/said]
    set said [read $f]
    close $f
    return [string trim $said]
}
set say {apply {{text} { set f [open said w]; puts $f $text; close $f }}}
set settings [file join $tmp/data qev window.settings]

# Resized and ended by File > Quit; the next start opens as it was left.
withwindow "wm geometry . 830x610+40+30; update; [list {*}$say ok]; .mb.file invoke Quit"
set again [withwindow "[list {*}$say] \[wm geometry .\]; exit"]
if {$again ne "830x610+40+30"} { lappend problems "the window opened at $again after a restart, not 830x610+40+30" }

# A geometry kept for a larger screen, and one off the screen.
file mkdir [file dirname $settings]
foreach kept {5000x4000+3000+3000 700x500+-400+9000} {
    set f [open $settings w]
    puts $f [list geometry $kept]
    close $f
    set seen [withwindow "[list {*}$say] \[list \[wm geometry .\] \[winfo screenwidth .\] \[winfo screenheight .\]\]; exit"]
    lassign $seen g sw sh
    if {![regexp {^(\d+)x(\d+)\+(\d+)\+(\d+)$} $g -> w h x y] || $x + $w > $sw || $y + $h > $sh} {
        lappend problems "a kept geometry $kept opened as $g on a screen of ${sw}x$sh"
    }
}

file delete -force $tmp
if {[llength $problems]} {
    puts "wmk: [join $problems "\nwmk: "]"
    exit 1
}
puts "wmk: ok"
