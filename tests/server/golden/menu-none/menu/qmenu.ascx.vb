Imports System.IO
Imports System.Threading
Imports System.Globalization
Imports System.Web.HttpServerUtility
Imports System.Web.HttpContext

    Partial Class qmenu
    Inherits System.Web.UI.UserControl

    Private Sub Page_Load(ByVal sender As System.Object, ByVal e As System.EventArgs) Handles MyBase.Load
        Dim path, content as string
        path = server.mappath("/menu/qmenu.js")
        content = menu()
        My.Computer.FileSystem.WriteAllText(path, content, False, System.Text.Encoding.Default)
    End Sub

    Private Function menu() As String
        Dim wv As String = ""
        ' 590 statements of script text
        Return wv
    End Function

    # Region "Common functions"
    ' Ids made on the server step by 20, so they stay apart from the ids the
    ' menu was written with.
    Public Function nextD(ByVal secn As String) As String
        Dim p As Integer = secn.LastIndexOf("d")
        Return secn.Substring(0, p + 1) & CStr(CInt(secn.Substring(p + 1)) + 20)
    End Function

    ' The first id of the next column.
    Public Function nextColumn(ByVal secn As String) As String
        Dim p As Integer = secn.IndexOf("d")
        Return "e" & CStr(CInt(secn.Substring(1, p - 1)) + 20) & "d0"
    End Function

    Public Function isMainFolder(ByVal secn As String) As Boolean
        Return secn.IndexOf("d") >= 0 And secn.IndexOf("d") = secn.LastIndexOf("d")
    End Function

    ' The script's fixed function names, in their readable form.
    Public Function f(ByVal name As String) As String
        Return "q" & name.ToUpper()
    End Function

    Public Function cssClassName(ByVal classKey As String) As String
        Select Case classKey
            Case "LinkPage"
                Return "LinkPage"
            Case "MainFolderPage"
                Return "MainFolderPage"
            Case "MainFolderBox"
                Return "MainFolderBox"
            Case "MainFolderLine"
                Return "MainFolderLine"
            Case "SubFolderPage"
                Return "SubFolderPage"
            Case "SubFolderBox"
                Return "SubFolderBox"
            Case "SubFolderLine"
                Return "SubFolderLine"
            Case "LinkBox"
                Return "LinkBox"
            Case "LinkLine"
                Return "LinkLine"
            Case "MenuTreeBox"
                Return "MenuTreeBox"
            Case Else
                Return ""
        End Select
    End Function
    # End Region

    # Region "Common - Parse lists"
    ' The project's language codes, each ended by ";;" (empty for one
    ' language), and the automatic width's pixel values.
    Private Const languageList As String = ""
    Private Const pixelBase As String = ""
    Private Const pixelsPerCharacter As String = ""

    ' The width for every language (an item missing from a shorter list
    ' takes its first item), each ended by ";;"; one plain value without
    ' languages.
    Public Function getColWidthList(ByVal baseList As String, ByVal perCharacterList As String, ByVal lengthList As String) As String
        Dim basePosition As Integer = 1
        Dim perCharacterPosition As Integer = 1
        Dim lengthPosition As Integer = 1
        Dim firstBase As String = getNextString(baseList, basePosition)
        Dim firstPerCharacter As String = getNextString(perCharacterList, perCharacterPosition)
        Dim firstLength As String = getNextString(lengthList, lengthPosition)
        If languageList = "" Then
            Return getColWidthElement(firstBase, firstPerCharacter, firstLength)
        End If
        Dim base As String = firstBase
        Dim perCharacter As String = firstPerCharacter
        Dim length As String = firstLength
        Dim result As String = ""
        Dim languagePosition As Integer = 1
        Dim language As String = getNextString(languageList, languagePosition)
        While language <> ""
            result = result & getColWidthElement(base, perCharacter, length) & ";;"
            base = getNextString(baseList, basePosition)
            If base = "" Then
                base = firstBase
            End If
            perCharacter = getNextString(perCharacterList, perCharacterPosition)
            If perCharacter = "" Then
                perCharacter = firstPerCharacter
            End If
            length = getNextString(lengthList, lengthPosition)
            If length = "" Then
                length = firstLength
            End If
            language = getNextString(languageList, languagePosition)
        End While
        Return result
    End Function

    ' base + per character x length, in pixels; 40, 7 and 10 stand in for
    ' values that are not numbers.
    Public Function getColWidthElement(ByVal base As String, ByVal perCharacter As String, ByVal length As String) As String
        Dim b As Integer
        Dim c As Integer
        Dim n As Integer
        If Not Integer.TryParse(base, b) Then
            b = 40
        End If
        If Not Integer.TryParse(perCharacter, c) Then
            c = 7
        End If
        If Not Integer.TryParse(length, n) Then
            n = 10
        End If
        Return CStr(b + c * n) & "px"
    End Function

    ' Per language, the larger of the stored length and the length of the
    ' name's item for that language.
    Public Function increaseLength(ByVal name As String, ByVal lengthList As String) As String
        If languageList = "" Then
            Return increaseLengthElement(name, lengthList)
        End If
        Dim namePosition As Integer = 1
        Dim lengthPosition As Integer = 1
        Dim firstName As String = getNextString(name, namePosition)
        Dim firstLength As String = getNextString(lengthList, lengthPosition)
        Dim item As String = firstName
        Dim length As String = firstLength
        Dim result As String = ""
        Dim languagePosition As Integer = 1
        Dim language As String = getNextString(languageList, languagePosition)
        While language <> ""
            result = result & increaseLengthElement(item, length) & ";;"
            item = getNextString(name, namePosition)
            If item = "" Then
                item = firstName
            End If
            length = getNextString(lengthList, lengthPosition)
            If length = "" Then
                length = firstLength
            End If
            language = getNextString(languageList, languagePosition)
        End While
        Return result
    End Function

    Public Function increaseLengthElement(ByVal name As String, ByVal length As String) As String
        Dim stored As Integer
        If Not Integer.TryParse(length, stored) Then
            stored = 2
        End If
        If Len(name) > stored Then
            Return CStr(Len(name))
        End If
        Return CStr(stored)
    End Function

    ' The text from position (1 for the first character) to the next ";;";
    ' position moves past it. "" at the end of the list.
    Public Function getNextString(ByVal list As String, ByRef position As Integer) As String
        If position > Len(list) Then
            Return ""
        End If
        Dim found As Integer = InStr(position, list, ";;")
        Dim item As String
        If found = 0 Then
            item = Mid(list, position)
            position = Len(list) + 1
        Else
            item = Mid(list, position, found - position)
            position = found + 2
        End If
        Return item
    End Function
    # End Region
     End Class
