# bash completion for vezudiri(1): the options of the window and of --convert, and their values.

# The colours each format offers, as --colour takes them (spaces left out).
_vezudiri_colours()
{
    case ${1^^} in
        TIFF) echo 24nc 32nc 12nc sep crle gray g3 g32d g4 lzw pack ;;
        BMP) echo 16m 256Color 16Color mono gray sep1 sep8 32bit ;;
        PSD) echo rgb cmyk ;;
        PCX) echo 24bit 256Color 16Color mono gray cmyk ;;
        FAX) echo g3 g32d g4 ;;
    esac
}

_vezudiri()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    # "--format=PNG" reaches us as "--format", "=", "PNG".
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi

    local convert='' format=BMP i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            --convert) convert=1 ;;
            -f | --format)
                [[ ${COMP_WORDS[i + 1]} == = ]] && format=${COMP_WORDS[i + 2]} ||
                    format=${COMP_WORDS[i + 1]}
                ;;
        esac
    done

    COMPREPLY=()
    if [[ $convert ]]; then
        case $prev in
            -f | --format)
                mapfile -t COMPREPLY < <(compgen -W 'PNG PNGGRAY JPEG TIFF BMP PSD PCX FAX GIF JPG' -- "${cur^^}")
                return
                ;;
            -c | --colour | --color)
                mapfile -t COMPREPLY < <(compgen -W "$(_vezudiri_colours "$format")" -- "$cur")
                return
                ;;
            --naming)
                mapfile -t COMPREPLY < <(compgen -W 'source number page template:' -- "$cur")
                [[ ${COMPREPLY[*]} == template: ]] && compopt -o nospace 2>/dev/null
                return
                ;;
            -p | --pages)
                mapfile -t COMPREPLY < <(compgen -W 'All' -- "$cur")
                return
                ;;
            -r | --dpi)
                mapfile -t COMPREPLY < <(compgen -W '72 96 100 120 150 200 300 500' -- "$cur")
                return
                ;;
            -o | --output)
                compopt -o filenames 2>/dev/null
                mapfile -t COMPREPLY < <(compgen -d -- "$cur")
                return
                ;;
            --password-file | --plan-out | --plan)
                compopt -o filenames 2>/dev/null
                mapfile -t COMPREPLY < <(compgen -f -- "$cur")
                return
                ;;
            --password | -j | --jobs | --timeout | --shard | --jpeg-quality | --scale-to | --width | --height \
                | --scale-to-x | --scale-to-y)
                return
                ;;
        esac
        if [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W '--pages --format --colour --color --dpi --scale-to --width --height --scale-to-x --scale-to-y --smooth
                --jpeg-quality --merge --output --flat --skip-existing --naming --default-password --password --password-file --jobs --timeout --dry-run --force
                --plan-out --plan --shard --resume --json --quiet --verbose --help --version
                -p -f -c -r -o -j -q -v -h' -- "$cur")
            return
        fi
    elif [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--convert --help --version' -- "$cur")
        return
    fi
    # PDF files, and folders to search for them.
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X '!*.[pP][dD][fF]' -- "$cur")
}
complete -F _vezudiri vezudiri
