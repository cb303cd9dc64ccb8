# wmk.tcl - the desktop program starts from any working directory: build/wmk is run
# from an empty folder under the X server of DISPLAY, its window "qev" must be mapped
# within 20 seconds, and the user's library must have been made under XDG_DATA_HOME.
# Usage: tclsh wmk.tcl BUILD-FOLDER (prints "wmk: ok" or the reasons; exit status 0 or 1)
set build [file normalize [lindex $argv 0]]
set tmp [file join [expr {[info exists env(TMPDIR)] ? $env(TMPDIR) : "/tmp"}] qevwmk-[pid]]
file delete -force $tmp
file mkdir $tmp/cwd $tmp/data $tmp/home
cd $tmp/cwd
set env(XDG_DATA_HOME) $tmp/data
set env(HOME) $tmp/home

set pid [exec [file join $build wmk] >& $tmp/out.txt &]
set info ""
for {set i 0} {$i < 100} {incr i} {
    after 200
    if {![catch {exec xwininfo -name qev} info] && [string match "*IsViewable*" $info]} break
}
# Let the window script finish before it is read and stopped.
after 500
set problems {}
if {![string match "*IsViewable*" $info]} { lappend problems "no window named qev was mapped: $info" }
if {[regexp {Width: (\d+)} $info -> w] && [regexp {Height: (\d+)} $info -> h] && ($w < 300 || $h < 200)} {
    lappend problems "the window is only ${w}x$h"
}
if {![file isdirectory [file join $tmp/data qev]] ||
    ([file exists [file join $build data SI.usys]] && ![file exists [file join $tmp/data qev SI.usys]])} {
    lappend problems "no user library under XDG_DATA_HOME"
}
if {[catch {exec kill -0 $pid}]} { lappend problems "wmk is no longer running" }
catch {exec kill $pid}
set f [open $tmp/out.txt]
set out [read $f]
close $f
if {[string trim $out] ne ""} { lappend problems "wmk wrote: $out" }
if {[glob -nocomplain -directory $tmp/cwd *] ne ""} { lappend problems "wmk wrote into its working directory" }
file delete -force $tmp
if {[llength $problems]} {
    puts "wmk: [join $problems "\nwmk: "]"
    exit 1
}
puts "wmk: ok"
