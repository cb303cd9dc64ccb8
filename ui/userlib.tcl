# userlib.tcl - the user's own library, shared by the window and the command line.
#
# The shipped library (the folder $::qev::library) is never modified. The user's units
# and function files in the per-user data folder ($XDG_DATA_HOME/qev, or
# ~/.local/share/qev) hold the shipped entries and the user's own: made from the
# shipped files on first use, and made anew from them whenever the shipped files
# change (libedit upgrade), the user's entries kept in their order. The folder
# "shipped" beside them keeps a copy of the shipped files they were made from, which
# tells the shipped entries from the user's. Every unit-system file (*.usys) is written
# there with its units file pointing at the user's copy, so definitions added with anu,
# anf and libedit persist. When that folder cannot be had, the shipped library is used
# as it is, read-only.

namespace eval qev {}

# The per-user data folder: under XDG_DATA_HOME, else under HOME, each only when it is
# an absolute path (a relative one would put the library in the working folder); ""
# when neither is.
proc qev::userdir {} {
    foreach {var under} {XDG_DATA_HOME {} HOME {.local share}} {
        if {[info exists ::env($var)] && [file pathtype $::env($var)] eq "absolute"} {
            return [file join $::env($var) {*}$under qev]
        }
    }
    return ""
}

# The fields of a unit-system file: the system's name, the six printed unit names, and
# the path of its units file, which is the rest of the line after them (it may hold
# blanks); a relative path that exists beside the unit-system file is made that one, as
# the engine reads it. Raises an error when the file is no regular file, cannot be read,
# has fewer fields, or holds a "#" but in the path (as every units and function file does).
proc qev::readsystem {path} {
    if {[file isfile $path]} {
        set f [open $path]
        set text [read $f 100000]
        close $f
    }
    if {![info exists text] || ![regexp {^\s*((?:\S+\s+){7})(\S[^\n]*)(.*)$} $text -> words units rest] ||
            [string first # "$words[string index $units 0]$rest"] >= 0} {
        error "not a unit-system file (a name, six unit names and the path of a units file): $path"
    }
    set units [string trimright $units]
    if {[file pathtype $units] eq "relative" && [string first / $path] >= 0 &&
            [file exists [file join [file dirname $path] $units]]} {
        set units [file join [file dirname $path] $units]
    }
    return [list {*}[regexp -all -inline {\S+} $words] $units]
}

# Makes sure the user's library exists and is up to date with the shipped one, and
# returns a dict: dir (the per-user folder, "" when the shipped library stands in),
# units (the user's units file), functions (the user's function file), systems (a dict
# name -> unit-system file), readonly (1 when the shipped library stands in), warning
# (why it does, else "") and problems (what could not be brought up to date, a list of
# messages).
proc qev::userlib {} {
    set dir [qev::userdir]
    if {$dir eq ""} {
        return [qev::shippedlib "neither XDG_DATA_HOME nor HOME is an absolute path"]
    }
    if {[catch {qev::makelib $dir} lib]} {
        return [qev::shippedlib $lib]
    }
    return $lib
}

# Copies what the user's folder 'dir' lacks of the shipped library and brings its units
# and function files up to date; the dict of userlib.
proc qev::makelib {dir} {
    file mkdir $dir [file join $dir shipped]
    set lib [dict create dir $dir units "" functions "" systems {} readonly 0 warning "" problems {}]
    foreach src [lsort [glob -nocomplain -directory $::qev::library *]] {
        set name [file tail $src]
        set dst [file join $dir $name]
        if {[file extension $name] eq ".usys"} {
            if {[catch {qev::readsystem $src} words]} continue
            set unitsname [file tail [lindex $words 7]]
            set words [lreplace $words 7 7 [file join $dir $unitsname]]
            if {![file exists $dst]} {
                set f [open $dst.new w]
                puts $f [join $words " "]
                close $f
                file rename -force $dst.new $dst
            }
            dict set lib systems [file rootname $name] $dst
        } elseif {[file extension $name] in {.units .functions}} {
            set answer [libedit upgrade -file $dst -base $src -reference [file join $dir shipped $name]]
            if {$answer ne ""} { dict lappend lib problems [string trim $answer] }
        } elseif {![file exists $dst]} {
            # made under another name first: a copy cut short is never taken for the file
            file copy -force $src $dst.new
            file attributes $dst.new -permissions 0664
            file rename -force $dst.new $dst
        }
        qev::libfile lib $name $dst
    }
    return $lib
}

# The shipped library itself, read-only, with the reason why it stands in.
proc qev::shippedlib {why} {
    set lib [dict create dir "" units "" functions "" systems {} readonly 1 problems {} \
        warning "cannot set up the user library: $why; using the shipped library, read-only"]
    foreach src [lsort [glob -nocomplain -directory $::qev::library *]] {
        set name [file tail $src]
        if {[file extension $name] eq ".usys"} {
            dict set lib systems [file rootname $name] $src
        }
        qev::libfile lib $name $src
    }
    return $lib
}

# Notes 'path' in the dict 'libvar' as its units or function file, by the name's ending.
proc qev::libfile {libvar name path} {
    upvar 1 $libvar lib
    switch -glob -- $name {
        *.units { dict set lib units $path }
        *.functions { dict set lib functions $path }
    }
}

# Runs 'libedit op' with the options 'args'; for a file of the user's library (the
# units file of -u, or -f) the copy of the shipped file it was made from is added, so
# that shipped entries can be replaced and not removed.
proc qev::edit {op args} {
    set file ""
    for {set k 0} {$k < [llength $args]} {incr k} {
        set w [lindex $args $k]
        if {$w in {-replace -force}} continue
        set v [lindex $args [incr k]]
        if {$w eq "-f" && [string match *func $op]} { set file $v }
        if {$w eq "-u" && [string match *unit $op] && ![catch {qev::readsystem $v} fields]} {
            set file [lindex $fields 7]
        }
    }
    set dir [qev::userdir]
    if {$file ne "" && $dir ne "" && [file dirname $file] eq $dir} {
        set ref [file join $dir shipped [file tail $file]]
        if {[file isfile $ref]} { lappend args -shipped $ref }
    }
    libedit $op {*}$args
}
