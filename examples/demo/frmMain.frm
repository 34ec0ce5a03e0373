VERSION 5.00
Begin VB.Form frmMain
BorderStyle     =   1  'Fixed Single
Caption         =   "Stock"
ClientHeight    =   3195
ClientWidth     =   4680
BeginProperty Font
Name            =   "SimSun"
Size            =   9
EndProperty
StartUpPosition =   2  'CenterScreen
Begin VB.CommandButton cmdCount
Caption         =   "Count"
Height          =   375
Left            =   3240
TabIndex        =   1
Top             =   2640
Width           =   1215
End
Begin VB.ListBox lstItems
Height          =   2010
Left            =   240
TabIndex        =   0
Top             =   240
Width           =   4215
End
End
Attribute VB_Name = "frmMain"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

Private mItems As Collection

Private Sub Form_Load()
Set mItems = New Collection
      LoadItems mItems
  Dim item As clsItem
For Each item In mItems
lstItems.AddItem item.Name
  Next
End Sub

Private Sub cmdCount_Click()
Dim total As Long, item As clsItem
    For Each item In mItems
If item.Quantity > 0 Then
total = total + item.Quantity
      Else
        Debug.Print "empty: " & item.Name
End If
Next
  MsgBox "Total: " & CStr(total), vbInformation, "Stock"
End Sub

Private Function FindItem(ByVal name As String) As clsItem
Dim item As clsItem
For Each item In mItems
   If StrComp(item.Name, name, vbTextCompare) = 0 Then Set FindItem = item: Exit Function
Next
End Function
